#include "editors/LogicAlarmsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

#include "datafile/DataFileName.h"
#include "editors/LogicAlarmsFile.h"
#include "model/ParameterStore.h"

namespace ostrin::ui {
namespace {

constexpr int macroCount = 90;

ParameterNumber alarmNumber(int index) { return FirstLogicAlarm + index; }

// A macro box selects the entry of its macro; a number with no entry is
// shown as typed text, so that taking the box keeps it.
void showMacro(QComboBox* box, std::int32_t macro) {
  if (macro >= 1 && macro <= box->count()) {
    box->setCurrentIndex(macro - 1);
    return;
  }
  box->setCurrentIndex(-1);
  box->setEditText(NumberText(macro));
}

// The chosen entry's macro, or the typed text's leading number (0 when none).
std::int32_t takeMacro(const QComboBox* box) {
  const int index = box->findText(box->currentText(), Qt::MatchExactly);
  return index >= 0 ? index + 1 : BoxNumber(box->currentText());
}

}  // namespace

Logic_Alarms_Dialog::Logic_Alarms_Dialog(QWidget* parent)
    : CategoryDialog(parent, QStringLiteral("Logic (Input) Alarms")) {
  buildControls();
  if (!ControllerDataLoaded) LoadLogicAlarmsFromDataFile();
  shownAlarm_ = 0;
  showAlarm();
}

void Logic_Alarms_Dialog::buildControls() {
  alarmNumber_ = Combo(1250, QStringLiteral("Alarm Number:"), NumberItems(1, LogicAlarmCount));
  highToLow_ = Combo(1251, QStringLiteral("High-to-Low Macro To Use:"), NumberItems(1, macroCount));
  lowToHigh_ = Combo(1252, QStringLiteral("Low-to-High Macro To Use:"), NumberItems(1, macroCount));
  for (QComboBox* box : {highToLow_, lowToHigh_}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
  }
  enabled_ = Check(1253, QStringLiteral("Alarm Enabled"));
  connect(alarmNumber_, &QComboBox::activated, this, &Logic_Alarms_Dialog::selectAlarm);

  auto* setup = Group(QStringLiteral("Logic Alarm Setup"));
  auto* grid = new QGridLayout(setup);
  const std::array<std::pair<const char*, QComboBox*>, 3> rows{{
      {"Alarm Number:", alarmNumber_},
      {"High-to-Low Macro To Use:", highToLow_},
      {"Low-to-High Macro To Use:", lowToHigh_},
  }};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    grid->addWidget(new QLabel(QString::fromLatin1(rows[r].first), setup), static_cast<int>(r), 0, Qt::AlignRight);
    grid->addWidget(rows[r].second, static_cast<int>(r), 1);
  }
  grid->addWidget(enabled_, static_cast<int>(rows.size()), 1);
  grid->setColumnStretch(1, 1);

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Cancel, &Logic_Alarms_Dialog::saveChanges);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(setup);
  layout->addLayout(buttons.row);
}

void Logic_Alarms_Dialog::showAlarm() {
  const LogicAlarmRecord alarm = GetLogicAlarm(alarmNumber(shownAlarm_));
  alarmNumber_->setCurrentIndex(shownAlarm_);
  showMacro(highToLow_, alarm.highToLowMacro);
  showMacro(lowToHigh_, alarm.lowToHighMacro);
  enabled_->setChecked(alarm.enabled != 0);
}

void Logic_Alarms_Dialog::takeAlarm() {
  SetLogicAlarm(alarmNumber(shownAlarm_), enabled_->isChecked() ? 1 : 0, takeMacro(highToLow_), takeMacro(lowToHigh_));
}

void Logic_Alarms_Dialog::selectAlarm(int index) {
  takeAlarm();
  shownAlarm_ = index;
  showAlarm();
}

void Logic_Alarms_Dialog::saveChanges() {
  RunSave(QStringLiteral("LOGIC ALARM Save"), QStringLiteral("Saving LOGIC ALARMS..."), LogicAlarmsProgress,
          [this] { takeAlarm(); }, SaveLogicAlarmsToDataFile);
}

void Logic_Alarms_Dialog::reject() {
  static const std::array<int, LogicAlarmCount> numbers{369, 370, 371, 372, 373};
  RunCancel(numbers, LogicAlarmsProgress);
}

void OpenLogicAlarmsDialog(QWidget* parent) { Logic_Alarms_Dialog(parent).exec(); }

}  // namespace ostrin::ui
