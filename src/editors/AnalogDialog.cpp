#include "editors/AnalogDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <vector>

#include "datafile/DataFileName.h"
#include "model/ParameterStore.h"

namespace ostrin::ui {
namespace {

// The four value boxes of a meter face, in the order they are shown and taken.
struct ValueBox {
  int id;
  const char* label;
  std::int32_t MeterRecord::*field;
};
constexpr std::array<ValueBox, 4> valueBoxes{{
    {1244, "Actual Low Value:", &MeterRecord::actualLow},
    {1246, "Actual High Value:", &MeterRecord::actualHigh},
    {1245, "Meter Low Value:", &MeterRecord::meterLow},
    {1247, "Meter High Value:", &MeterRecord::meterHigh},
}};
// What "Set LM335 Defaults" puts into the four boxes, in the same order.
constexpr std::array<const char*, 4> lm335Defaults{"273", "298", "0", "2490"};
constexpr const char* notUsed = "Not Used";

constexpr int firstChannelId = 1249;
constexpr int firstResolutionId = 1280;
constexpr int pinCount = 8;
constexpr int macroCount = 90;

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int face = 0; face < MeterFaceCount; ++face) numbers.push_back(FirstMeter + face);
  numbers.push_back(ReferenceVoltageNumber);
  numbers.push_back(TemperatureResolutionNumber);
  numbers.push_back(TemperaturePinsNumber);
  for (int alarm = 0; alarm < AnalogAlarmCount; ++alarm) numbers.push_back(FirstAnalogAlarm + alarm);
  return numbers;
}

template <std::size_t N>
QStringList texts(const std::array<const char*, N>& items) {
  QStringList list;
  for (const char* item : items) list << QString::fromLatin1(item);
  return list;
}

// An index outside the list leaves the combo box without a selection.
void selectIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// A radio button cleared even when it is the checked one of its group.
void clearRadio(QRadioButton* radio) {
  radio->setAutoExclusive(false);
  radio->setChecked(false);
  radio->setAutoExclusive(true);
}

void addRow(QGridLayout* grid, int row, const QString& label, QWidget* control) {
  grid->addWidget(new QLabel(label, control->parentWidget()), row, 0, Qt::AlignRight);
  grid->addWidget(control, row, 1);
}

}  // namespace

Analog::Analog(QWidget* parent) : CategoryDialog(parent, QStringLiteral("Analog Inputs")) {
  buildControls();
  channels_[0]->setChecked(true);
  meterType_->setCurrentIndex(0);
  alarmNumber_->setCurrentIndex(0);
  alarmType_->setCurrentIndex(0);
  outputPin_->setCurrentIndex(0);
  inputPin_->setCurrentIndex(1);
  if (!ControllerDataLoaded) LoadAnalogFromDataFile();
  selectedChannel_ = 0;
  selectedAlarm_ = 0;
  showAnalogChannel();
  showAnalogAlarm();
  updateLm335Button();
}

QWidget* Analog::buildChannels() {
  auto* box = Group(QStringLiteral("Analog Channel"));
  auto* row = new QHBoxLayout(box);
  for (int k = 0; k < MeterFaceCount; ++k) {
    auto* radio = Radio(firstChannelId + k, QStringLiteral("Ch%1").arg(k + 1));
    channels_[static_cast<std::size_t>(k)] = radio;
    row->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, k] { channelChosen(k); });
  }
  row->addStretch(1);
  return box;
}

QWidget* Analog::buildMeterFace() {
  auto* box = Group(QStringLiteral("Meter Face"));
  auto* grid = new QGridLayout(box);
  meterType_ = Combo(1243, QStringLiteral("Meter Type:"), texts(MeterTypeTexts));
  connect(meterType_, &QComboBox::activated, this, &Analog::meterTypeChosen);
  addRow(grid, 0, QStringLiteral("Meter Type:"), meterType_);
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const QString label = QString::fromLatin1(valueBoxes[i].label);
    values_[i] = Edit(valueBoxes[i].id, label);
    addRow(grid, 1 + static_cast<int>(i), label, values_[i]);
  }
  lm335_ = Button(1285, QStringLiteral("Set LM335 Defaults"));
  connect(lm335_, &QPushButton::clicked, this, &Analog::setLm335Defaults);
  grid->addWidget(lm335_, 1 + static_cast<int>(values_.size()), 1);
  referenceVoltage_ = Edit(1248, QStringLiteral("Reference Voltage"));
  addRow(grid, 2 + static_cast<int>(values_.size()), QStringLiteral("Reference Voltage"), referenceVoltage_);
  return box;
}

QWidget* Analog::buildDigitalChannel() {
  auto* box = Group(QStringLiteral("Digital Channel"));
  auto* grid = new QGridLayout(box);
  grid->addWidget(new QLabel(QStringLiteral("Temperature Sensor Resolution:"), box), 0, 0, 1, 2);
  auto* bits = new QHBoxLayout;
  for (std::size_t i = 0; i < resolutions_.size(); ++i) {
    resolutions_[i] = Radio(firstResolutionId + static_cast<int>(i),
                            QStringLiteral("%1 Bits").arg(TemperatureResolutions[i]));
    bits->addWidget(resolutions_[i]);
  }
  grid->addLayout(bits, 1, 0, 1, 2);
  outputPin_ = Combo(1258, QStringLiteral("Output Pin:"), NumberItems(1, pinCount));
  inputPin_ = Combo(1259, QStringLiteral("Input Pin:"), NumberItems(1, pinCount));
  addRow(grid, 2, QStringLiteral("Output Pin:"), outputPin_);
  addRow(grid, 3, QStringLiteral("Input Pin:"), inputPin_);
  return box;
}

QWidget* Analog::buildAlarm() {
  auto* box = Group(QStringLiteral("Analog Alarm"));
  auto* grid = new QGridLayout(box);
  alarmNumber_ = Combo(1020, QStringLiteral("Alarm Number:"), NumberItems(1, AnalogAlarmCount));
  alarmType_ = Combo(1021, QStringLiteral("Alarm Type:"), texts(AnalogAlarmTypeTexts));
  alarmMeter_ = Combo(1022, QStringLiteral("Meter Number:"), NumberItems(1, MeterFaceCount));
  tripValue_ = Edit(1257, QStringLiteral("Trip Value:"));
  alarmMacro_ = Combo(1024, QStringLiteral("Macro To Call:"), NumberItems(1, macroCount));
  connect(alarmNumber_, &QComboBox::activated, this, &Analog::alarmChosen);
  addRow(grid, 0, QStringLiteral("Alarm Number:"), alarmNumber_);
  addRow(grid, 1, QStringLiteral("Alarm Type:"), alarmType_);
  addRow(grid, 2, QStringLiteral("Meter Number:"), alarmMeter_);
  addRow(grid, 3, QStringLiteral("Trip Value:"), tripValue_);
  addRow(grid, 4, QStringLiteral("Macro To Call:"), alarmMacro_);
  grid->setRowStretch(5, 1);
  return box;
}

void Analog::buildControls() {
  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Cancel, &Analog::saveChanges);

  auto* channels = buildChannels();
  auto* left = new QVBoxLayout;
  left->addWidget(buildMeterFace());
  left->addWidget(buildDigitalChannel());
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addWidget(buildAlarm());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(channels);
  layout->addLayout(columns);
  layout->addLayout(buttons.row);
}

// A "DS18B20" face has no scaling: its boxes say so and take no input.
void Analog::showMeterValues(int type, const MeterRecord& face) {
  const bool used = type != MeterTypeDs18b20;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    values_[i]->setText(used ? NumberText(face.*valueBoxes[i].field) : QString::fromLatin1(notUsed));
    values_[i]->setEnabled(used);
  }
}

void Analog::showAnalogChannel() {
  const MeterRecord face = GetAnalogRecord(FirstMeter + selectedChannel_).meter;
  selectIndex(meterType_, face.type);
  meterTypeShown_ = meterType_->currentIndex();
  showMeterValues(face.type, face);
  referenceVoltage_->setText(NumberText(GetValue(ReferenceVoltageNumber).current));
  const std::int32_t resolution = GetValue(TemperatureResolutionNumber).current;
  for (std::size_t i = 0; i < resolutions_.size(); ++i) {
    if (TemperatureResolutions[i] == resolution) {
      resolutions_[i]->setChecked(true);
    } else {
      clearRadio(resolutions_[i]);
    }
  }
  const std::int32_t pins = GetValue(TemperaturePinsNumber).current;
  selectIndex(outputPin_, TemperatureOutputPin(pins) - 1);
  selectIndex(inputPin_, TemperatureInputPin(pins) - 1);
}

void Analog::takeAnalogChannel() {
  MeterRecord face;
  face.type = meterType_->currentIndex();
  for (std::size_t i = 0; i < values_.size(); ++i) face.*valueBoxes[i].field = BoxNumber(values_[i]);
  SetMeter(FirstMeter + selectedChannel_, face);
  SetValue(ReferenceVoltageNumber, BoxNumber(referenceVoltage_));
  for (std::size_t i = 0; i < resolutions_.size(); ++i) {
    if (resolutions_[i]->isChecked()) SetValue(TemperatureResolutionNumber, TemperatureResolutions[i]);
  }
  SetValue(TemperaturePinsNumber, TemperaturePins(outputPin_->currentIndex() + 1, inputPin_->currentIndex() + 1));
}

// The alarm-number list is left as the operator set it.
void Analog::showAnalogAlarm() {
  const AnalogAlarmRecord alarm = GetAnalogRecord(FirstAnalogAlarm + selectedAlarm_).alarm;
  selectIndex(alarmType_, alarm.type);
  selectIndex(alarmMeter_, alarm.meter);
  selectIndex(alarmMacro_, alarm.macro);
  tripValue_->setText(NumberText(alarm.tripValue));
}

void Analog::takeAnalogAlarm() {
  AnalogAlarmRecord alarm;
  alarm.alarmNumber = selectedAlarm_ + 1;
  alarm.type = alarmType_->currentIndex();
  alarm.meter = alarmMeter_->currentIndex();
  alarm.tripValue = BoxNumber(tripValue_);
  alarm.macro = alarmMacro_->currentIndex();
  SetAnalogAlarm(FirstAnalogAlarm + selectedAlarm_, alarm);
}

void Analog::updateLm335Button() { lm335_->setEnabled(meterType_->currentIndex() == MeterTypeDegrees); }

// A channel switch stores the channel and the alarm shown, then shows the new
// channel and the same alarm again.
void Analog::channelChosen(int channel) {
  takeAnalogChannel();
  takeAnalogAlarm();
  selectedChannel_ = channel;
  showAnalogChannel();
  showAnalogAlarm();
  updateLm335Button();
}

void Analog::alarmChosen(int alarm) {
  if (alarm < 0) return;
  takeAnalogAlarm();
  selectedAlarm_ = alarm;
  showAnalogAlarm();
}

// Only the boxes follow the new type; the store is not changed here.
void Analog::meterTypeChosen(int type) {
  if (type == meterTypeShown_) return;
  meterTypeShown_ = type;
  updateLm335Button();
  showMeterValues(type, GetAnalogRecord(FirstMeter + selectedChannel_).meter);
}

void Analog::setLm335Defaults() {
  if (meterType_->currentIndex() != MeterTypeDegrees) return;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    values_[i]->setText(QString::fromLatin1(lm335Defaults[i]));
    values_[i]->setEnabled(true);
  }
}

void Analog::saveChanges() {
  RunSave(QStringLiteral("ANALOG Save"), QStringLiteral("Saving ANALOG..."), AnalogProgress,
          [this] {
            takeAnalogChannel();
            takeAnalogAlarm();
          },
          SaveAnalogToDataFile);
}

void Analog::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, AnalogProgress);
}

void OpenAnalogDialog(QWidget* parent) { Analog(parent).exec(); }

}  // namespace ostrin::ui
