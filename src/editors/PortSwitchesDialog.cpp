#include "editors/PortSwitchesDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/PortSwitchesFile.h"
#include "model/ParameterStore.h"

namespace ostrin::ui {
namespace {

using PortIds = std::array<int, 3>;  // the control of ports 1, 2, 3

constexpr PortIds accessModeIds{1027, 1048, 1069};

struct CheckRow {
  int offset;
  const char* caption;
  PortIds ids;
};
// The last row sits in the group "Tone Encode Control".
constexpr std::array<CheckRow, 12> checkRows{{
    {0, "Transmitter Enable", {1022, 1032, 1064}},
    {1, "Receiver Enable", {1023, 1044, 1065}},
    {2, "Repeater Mode", {1024, 1045, 1066}},
    {3, "Speech Override", {1025, 1046, 1067}},
    {4, "Speech ID Override", {1026, 1047, 1068}},
    {6, "DTMF Enable", {1028, 1049, 1070}},
    {7, "DTMF Require Tone", {1043, 1050, 1071}},
    {8, "DTMF Mute", {1030, 1051, 1072}},
    {9, "DTMF Covertone", {1031, 1052, 1073}},
    {10, "Monitor Mix", {1029, 1053, 1074}},
    {11, "Kerchunk Filter", {1034, 1054, 1075}},
    {12, "ON During ID/Speech", {1033, 1055, 1076}},
}};

// A switch shown as two radio buttons: the first stands for 0, the second for 1.
struct PairRow {
  int offset;
  const char* group;  // empty: no group box
  const char* zeroCaption;
  const char* oneCaption;
  PortIds zeroIds;
  PortIds oneIds;
};
constexpr std::array<PairRow, 3> pairRows{{
    {13, "", "Timer Starts after COS", "Timer Starts after CT", {1035, 1056, 1077}, {1036, 1057, 1078}},
    {14, "ID Timer Start", "On COS", "On PTT", {1038, 1059, 1080}, {1039, 1060, 1081}},
    {17, "DTMF Evaluate on Closure", "COS", "Tone", {1085, 1089, 1091}, {1086, 1090, 1092}},
}};

constexpr int polarityOffset = 18;
constexpr PortIds polarityHiIds{1087, 1093, 1095};
constexpr PortIds polarityLoIds{1088, 1094, 1096};

constexpr ParameterNumber speechWithTerminatorNumber = 0;
constexpr ParameterNumber txTimerUnitsNumber = 1;

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int port = 1; port <= 3; ++port) {
    const int b = 1000 * port;
    numbers.push_back(b + AccessModeOffset);
    for (int offset = 0; offset <= 4; ++offset) numbers.push_back(b + offset);
    for (int offset = 6; offset <= 14; ++offset) numbers.push_back(b + offset);
    numbers.push_back(b + 17);
    numbers.push_back(b + polarityOffset);
  }
  numbers.push_back(speechWithTerminatorNumber);
  numbers.push_back(txTimerUnitsNumber);
  return numbers;
}

QStringList accessModeItems() {
  QStringList items;
  for (const char* text : AccessModeTexts) items << QString::fromLatin1(text);
  return items;
}

// Two radio buttons that exclude each other, whatever box they are placed in.
void pairUp(QWidget* owner, QRadioButton* first, QRadioButton* second) {
  auto* group = new QButtonGroup(owner);
  group->addButton(first);
  group->addButton(second);
}

QGroupBox* boxOf(QGroupBox* box, std::initializer_list<QWidget*> widgets) {
  auto* column = new QVBoxLayout(box);
  for (QWidget* widget : widgets) column->addWidget(widget);
  return box;
}

std::int32_t value(int number) { return GetValue(number).current; }

}  // namespace

Port_Switches::Port_Switches(QWidget* parent) : CategoryDialog(parent, QStringLiteral("Radio Port Switches")) {
  buildControls();
  if (!ControllerDataLoaded) LoadPortSwitchesFromDataFile();
  for (int port = 0; port < 3; ++port) showPortSwitches(port);
  speechWithTerminator_->setChecked(value(speechWithTerminatorNumber) != 0);
  (value(txTimerUnitsNumber) == 0 ? minutes_ : hours_)->setChecked(true);
}

QWidget* Port_Switches::buildPort(int port) {
  const auto p = static_cast<std::size_t>(port);
  PortControls& controls = ports_[p];
  auto* box = Group(QStringLiteral("Port %1").arg(port + 1));
  auto* column = new QVBoxLayout(box);

  controls.accessMode = Combo(accessModeIds[p], QStringLiteral("Access Mode"), accessModeItems());
  auto* accessRow = new QHBoxLayout;
  accessRow->addWidget(new QLabel(QStringLiteral("Access Mode"), box));
  accessRow->addWidget(controls.accessMode, 1);
  column->addLayout(accessRow);

  for (std::size_t i = 0; i < checkRows.size(); ++i) {
    controls.checks[i] = Check(checkRows[i].ids[p], QString::fromLatin1(checkRows[i].caption));
  }
  for (std::size_t i = 0; i + 1 < checkRows.size(); ++i) column->addWidget(controls.checks[i]);

  for (std::size_t i = 0; i < pairRows.size(); ++i) {
    const PairRow& row = pairRows[i];
    auto& pair = controls.pairs[i];
    pair[0] = Radio(row.zeroIds[p], QString::fromLatin1(row.zeroCaption));
    pair[1] = Radio(row.oneIds[p], QString::fromLatin1(row.oneCaption));
    pairUp(this, pair[0], pair[1]);
  }
  column->addWidget(controls.pairs[0][0]);
  column->addWidget(controls.pairs[0][1]);
  column->addWidget(boxOf(Group(QStringLiteral("Tone Encode Control")), {controls.checks.back()}));
  for (std::size_t i = 1; i < pairRows.size(); ++i) {
    column->addWidget(boxOf(Group(QString::fromLatin1(pairRows[i].group)), {controls.pairs[i][0], controls.pairs[i][1]}));
  }

  controls.polarityHi = Radio(polarityHiIds[p], QStringLiteral("Hi"));
  controls.polarityLo = Radio(polarityLoIds[p], QStringLiteral("Lo"));
  pairUp(this, controls.polarityHi, controls.polarityLo);
  column->addWidget(boxOf(Group(QStringLiteral("Tone Encode Polarity")), {controls.polarityHi, controls.polarityLo}));
  column->addStretch(1);
  return box;
}

void Port_Switches::buildControls() {
  auto* portColumns = new QHBoxLayout;
  for (int port = 0; port < 3; ++port) portColumns->addWidget(buildPort(port));

  speechWithTerminator_ = Check(1097, QStringLiteral("Allow Speech w/Terminator"));
  minutes_ = Radio(1098, QStringLiteral("Minutes"));
  hours_ = Radio(1099, QStringLiteral("Hours"));
  pairUp(this, minutes_, hours_);
  auto* units = Group(QStringLiteral("TX Timer Units"));
  auto* unitsRow = new QHBoxLayout(units);
  unitsRow->addWidget(minutes_);
  unitsRow->addWidget(hours_);
  auto* general = new QHBoxLayout;
  general->addWidget(speechWithTerminator_);
  general->addWidget(units);
  general->addStretch(1);

  const ChangeButtons buttons =
      SaveAndCancelButtons(1101, 1, DefaultButton::Cancel, &Port_Switches::saveChanges, &Port_Switches::cancelChanges);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(portColumns);
  layout->addLayout(general);
  layout->addLayout(buttons.row);
}

void Port_Switches::showPortSwitches(int port) {
  const PortControls& controls = ports_[static_cast<std::size_t>(port)];
  const int b = 1000 * (port + 1);
  const std::int32_t mode = value(b + AccessModeOffset);
  controls.accessMode->setCurrentIndex(mode == 0 || mode == 1 ? mode : -1);
  for (std::size_t i = 0; i < checkRows.size(); ++i) controls.checks[i]->setChecked(value(b + checkRows[i].offset) != 0);
  for (std::size_t i = 0; i < pairRows.size(); ++i) {
    controls.pairs[i][value(b + pairRows[i].offset) != 0 ? 1 : 0]->setChecked(true);
  }
  (value(b + polarityOffset) != 0 ? controls.polarityHi : controls.polarityLo)->setChecked(true);
}

void Port_Switches::takePortSwitches(int port) {
  const PortControls& controls = ports_[static_cast<std::size_t>(port)];
  const int b = 1000 * (port + 1);
  SetValue(b + AccessModeOffset, controls.accessMode->currentIndex());
  for (std::size_t i = 0; i < checkRows.size(); ++i) {
    SetValue(b + checkRows[i].offset, controls.checks[i]->isChecked() ? 1 : 0);
  }
  for (std::size_t i = 0; i < pairRows.size(); ++i) {
    SetValue(b + pairRows[i].offset, controls.pairs[i][1]->isChecked() ? 1 : 0);
  }
  // Each button of the polarity pair stores in turn; the second store decides.
  SetValue(b + polarityOffset, controls.polarityHi->isChecked() ? 1 : 0);
  SetValue(b + polarityOffset, controls.polarityLo->isChecked() ? 0 : 1);
}

void Port_Switches::takeGeneralSwitches() {
  SetValue(speechWithTerminatorNumber, speechWithTerminator_->isChecked() ? 1 : 0);
  SetValue(txTimerUnitsNumber, minutes_->isChecked() ? 0 : 1);
  SetValue(txTimerUnitsNumber, hours_->isChecked() ? 1 : 0);
}

void Port_Switches::saveChanges() {
  RunSave(QStringLiteral("PORT SWITCHES Save"), QStringLiteral("Saving PORT SWITCHES..."), PortSwitchesProgress,
          [this] {
            for (int port = 0; port < 3; ++port) takePortSwitches(port);
            takeGeneralSwitches();
          },
          SavePortSwitchesToDataFile);
}

// The close box and Escape close the dialog through QDialog::reject, without this.
void Port_Switches::cancelChanges() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, PortSwitchesProgress);
}

void OpenPortSwitchesDialog(QWidget* parent) { Port_Switches(parent).exec(); }

}  // namespace ostrin::ui
