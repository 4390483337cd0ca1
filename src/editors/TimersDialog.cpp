#include "editors/TimersDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/TimersFile.h"
#include "model/ParameterStore.h"

namespace ostrin::ui {
namespace {

// The plain number boxes of a port, in the order they are shown and taken.
constexpr std::array<int, 13> portEditIds{1116, 1117, 1118, 1119, 1120, 1121, 1122,
                                          1123, 1124, 1125, 1126, 1127, 1143};
constexpr std::array<int, 13> portEditOffsets{19, 20, 21, 23, 24, 25, 26, 27, 28, 29, 30, 31, 63};
constexpr std::array<const char*, 13> portEditLabels{
    "Hang Timers: #1", "#2", "#3", "Timeout Timer:", "TOT Reset Timer:", "Initial ID Timer:",
    "Pending ID Timer:", "DTMF Mute Timer:", "Encode Timer:", "Kerchunk Timer:",
    "Kerchunk Reset Timer:", "Pending ID Speech Timer:", "Input DeBounce Timer:"};
constexpr std::array<const char*, 13> portEditUnits{
    "1/10 seconds", "1/10 seconds", "1/10 seconds", "seconds", "1/10 seconds", "minutes",
    "minutes", "1/10 seconds", "1/10 seconds", "milliseconds", "seconds", "seconds", "1/100 seconds"};

constexpr std::array<int, 3> tailMacroIds{1023, 1024, 1025};
constexpr std::array<int, 6> generalTimeIds{1129, 1131, 1133, 1135, 1137, 1139};
constexpr std::array<int, 6> generalMacroIds{1130, 1132, 1134, 1136, 1138, 1140};

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int port = 1; port <= 3; ++port) {
    for (int offset = 19; offset <= 43; ++offset) numbers.push_back(1000 * port + offset);
    numbers.push_back(1000 * port + 63);
  }
  return numbers;
}

QStringList texts(std::span<const char* const> items) {
  QStringList list;
  for (const char* item : items) list << QString::fromLatin1(item);
  return list;
}

void selectIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

std::int32_t value(int number) { return GetValue(number).current; }

}  // namespace

Timers_Dialog::Timers_Dialog(QWidget* parent)
    : CategoryDialog(parent, QStringLiteral("Ostrin Timers Configuration")) {
  buildControls();
  portButtons_[0]->setChecked(true);
  selectedPort_ = 0;
  if (!ControllerDataLoaded) LoadTimersFromDataFile();
  showTimers();
}

void Timers_Dialog::buildControls() {
  auto* ports = Group(QStringLiteral("Radio Port"));
  auto* portRow = new QHBoxLayout(ports);
  const std::array<int, 3> portIds{1109, 1110, 1112};
  for (int p = 0; p < 3; ++p) {
    portButtons_[static_cast<std::size_t>(p)] = Radio(portIds[static_cast<std::size_t>(p)], QStringLiteral("Port %1").arg(p + 1));
    portRow->addWidget(portButtons_[static_cast<std::size_t>(p)]);
    connect(portButtons_[static_cast<std::size_t>(p)], &QRadioButton::clicked, this, [this, p] { selectPort(p); });
  }
  portRow->addStretch(1);

  auto* portTimers = Group(QStringLiteral("Port Timers"));
  auto* grid = new QGridLayout(portTimers);
  for (std::size_t i = 0; i < portEdits_.size(); ++i) {
    const QString label = QString::fromLatin1(portEditLabels[i]);
    const QString unit = QString::fromLatin1(portEditUnits[i]);
    portEdits_[i] = Edit(portEditIds[i], label + " (" + unit + ")");
    const int row = static_cast<int>(i);
    grid->addWidget(new QLabel(label, portTimers), row, 0, Qt::AlignRight);
    grid->addWidget(portEdits_[i], row, 1);
    grid->addWidget(new QLabel(unit, portTimers), row, 2);
  }
  totResetPoint_ = Combo(1128, QStringLiteral("TOT Reset Point"), texts(TotResetPointTexts));
  const int totRow = static_cast<int>(portEdits_.size());
  grid->addWidget(new QLabel(QStringLiteral("TOT Reset Point"), portTimers), totRow, 0, Qt::AlignRight);
  grid->addWidget(totResetPoint_, totRow, 1, 1, 2);

  auto* tail = Group(QStringLiteral("Tail Messages"));
  auto* tailGrid = new QGridLayout(tail);
  tailMessage_ = Combo(1020, QStringLiteral("Tail Msg #"), texts(TailMessageNumberTexts));
  tailCounter_ = Edit(1021, QStringLiteral("Counter"));
  tailTimer_ = Edit(1022, QStringLiteral("Timer (seconds)"));
  tailGrid->addWidget(new QLabel(QStringLiteral("Tail Msg #"), tail), 0, 0);
  tailGrid->addWidget(tailMessage_, 0, 1);
  tailGrid->addWidget(new QLabel(QStringLiteral("Counter"), tail), 1, 0);
  tailGrid->addWidget(tailCounter_, 1, 1);
  tailGrid->addWidget(new QLabel(QStringLiteral("Timer"), tail), 2, 0);
  tailGrid->addWidget(tailTimer_, 2, 1);
  tailGrid->addWidget(new QLabel(QStringLiteral("seconds"), tail), 2, 2);
  tailGrid->addWidget(new QLabel(QStringLiteral("Macro To Use:"), tail), 3, 0, 1, 3);
  for (std::size_t m = 0; m < tailMacros_.size(); ++m) {
    const QString label = QStringLiteral("Msg %1").arg(m + 1);
    tailMacros_[m] = Combo(tailMacroIds[m], QStringLiteral("Macro To Use: ") + label, NumberItems(1, 90));
    tailGrid->addWidget(new QLabel(label, tail), 4 + static_cast<int>(m), 0);
    tailGrid->addWidget(tailMacros_[m], 4 + static_cast<int>(m), 1);
  }
  tailGrid->addWidget(Note(QStringLiteral("REMINDER: Tail Messages MUST be enabled via a macro function to work! "
                                          "(Look at Macro Fns: 309-320)")),
                      7, 0, 1, 3);
  connect(tailMessage_, &QComboBox::activated, this, &Timers_Dialog::tailMessageChosen);

  auto* inactivity = Group(QStringLiteral("Inactivity Timer"));
  auto* inactivityGrid = new QGridLayout(inactivity);
  inactivityTimer_ = Edit(1142, QStringLiteral("Inactivity Timer: Timer (minutes)"));
  inactivityMacro_ = Combo(1027, QStringLiteral("Inactivity Timer: Macro To Use"), NumberItems(1, 90));
  inactivityGrid->addWidget(new QLabel(QStringLiteral("Timer:"), inactivity), 0, 0);
  inactivityGrid->addWidget(inactivityTimer_, 0, 1);
  inactivityGrid->addWidget(new QLabel(QStringLiteral("minutes"), inactivity), 0, 2);
  inactivityGrid->addWidget(new QLabel(QStringLiteral("Macro To Use:"), inactivity), 1, 0);
  inactivityGrid->addWidget(inactivityMacro_, 1, 1);
  inactivityGrid->addWidget(Note(QStringLiteral("NOTE: Setting Timer to zero will disable inactivity timer")), 2, 0, 1, 3);

  auto* fan = Group(QStringLiteral("FAN"));
  auto* fanGrid = new QGridLayout(fan);
  fanTimer_ = Edit(1113, QStringLiteral("FAN (minutes)"));
  fanAllTx_ = Check(1114, QStringLiteral("All Xmt Activity"), QStringLiteral("FAN: All Xmt Activity"));
  fanGrid->addWidget(fanTimer_, 0, 0);
  fanGrid->addWidget(new QLabel(QStringLiteral("minutes"), fan), 0, 1);
  fanGrid->addWidget(fanAllTx_, 1, 0, 1, 2);

  auto* delay = Group(QStringLiteral("Speech/CW Delay Before Transmit"));
  auto* delayRow = new QHBoxLayout(delay);
  speechDelay_ = Edit(1115, QStringLiteral("Speech/CW Delay Before Transmit (msecs)"));
  delayRow->addWidget(speechDelay_);
  delayRow->addWidget(new QLabel(QStringLiteral("msecs"), delay));

  auto* timeout = Group(QStringLiteral("Timeout Timer Control"));
  linkingControl_ = Check(1141, QStringLiteral("Enable Linking Control"),
                          QStringLiteral("Timeout Timer Control: Enable Linking Control"));
  (new QVBoxLayout(timeout))->addWidget(linkingControl_);

  auto* general = Group(QStringLiteral("General Timers"));
  auto* generalGrid = new QGridLayout(general);
  generalGrid->addWidget(new QLabel(QStringLiteral("seconds"), general), 0, 2);
  generalGrid->addWidget(new QLabel(QStringLiteral("Macro To Use"), general), 0, 3);
  QStringList macroItems{QStringLiteral("NONE")};
  macroItems << NumberItems(1, 90);
  for (std::size_t t = 0; t < generalTimes_.size(); ++t) {
    const QString label = QStringLiteral("Timer %1:").arg(t + 1);
    generalTimes_[t] = Edit(generalTimeIds[t], QStringLiteral("General Timers ") + label + " (seconds)");
    generalMacros_[t] = Combo(generalMacroIds[t], QStringLiteral("Macro To Use of timer %1").arg(t + 1), macroItems);
    const int row = 1 + static_cast<int>(t);
    generalGrid->addWidget(new QLabel(label, general), row, 0);
    generalGrid->addWidget(generalTimes_[t], row, 1, 1, 2);
    generalGrid->addWidget(generalMacros_[t], row, 3);
  }

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Cancel, &Timers_Dialog::saveChanges);

  auto* left = new QVBoxLayout;
  left->addWidget(portTimers);
  auto* middle = new QVBoxLayout;
  middle->addWidget(tail);
  middle->addWidget(inactivity);
  middle->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(fan);
  right->addWidget(delay);
  right->addWidget(timeout);
  right->addWidget(general);
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(middle);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ports);
  layout->addLayout(columns);
  layout->addLayout(buttons.row);
}

void Timers_Dialog::showTimers() {
  const int b = base();
  selectIndex(totResetPoint_, value(b + 22));
  for (std::size_t i = 0; i < portEdits_.size(); ++i) portEdits_[i]->setText(NumberText(value(b + portEditOffsets[i])));
  const int tail = value(b + 32);
  selectIndex(tailMessage_, tail);
  if (tail >= 1 && tail <= 3) {
    tailCounter_->setText(NumberText(value(b + 32 + tail)));
    tailTimer_->setText(NumberText(value(b + 35 + tail)));
    tailCounter_->setEnabled(true);
    tailTimer_->setEnabled(true);
  } else if (tail == 0) {
    tailCounter_->clear();
    tailTimer_->clear();
    tailCounter_->setEnabled(false);
    tailTimer_->setEnabled(false);
  }
  for (std::size_t m = 0; m < tailMacros_.size(); ++m) selectIndex(tailMacros_[m], value(b + 39 + static_cast<int>(m)) - 1);
  inactivityTimer_->setText(NumberText(value(b + 42)));
  selectIndex(inactivityMacro_, value(b + 43) - 1);

  fanAllTx_->setChecked(value(3) != 0);
  linkingControl_->setChecked(value(5) != 0);
  fanTimer_->setText(NumberText(value(2)));
  speechDelay_->setText(NumberText(value(4)));
  for (std::size_t t = 0; t < generalTimes_.size(); ++t) {
    generalTimes_[t]->setText(NumberText(value(12 + static_cast<int>(t))));
    const int macro = value(6 + static_cast<int>(t));
    generalMacros_[t]->setCurrentIndex(macro >= 1 && macro <= 90 ? macro : 0);
  }
}

// A list without a selection (its value was outside the list) keeps the
// stored value instead of overwriting it with 0.
void Timers_Dialog::takeTimers() {
  const int b = base();
  SetValue(b + 22, totResetPoint_->currentIndex());
  for (std::size_t i = 0; i < portEdits_.size(); ++i) SetValue(b + portEditOffsets[i], BoxNumber(portEdits_[i]));
  if (tailMessage_->currentIndex() >= 0) SetValue(b + 32, BoxNumber(tailMessage_->currentText()));
  const int tail = value(b + 32);
  if (tail >= 1 && tail <= 3 && tailMessage_->currentIndex() >= 0) {
    SetValue(b + 32 + tail, BoxNumber(tailCounter_));
    SetValue(b + 35 + tail, BoxNumber(tailTimer_));
  }
  for (std::size_t m = 0; m < tailMacros_.size(); ++m) {
    if (tailMacros_[m]->currentIndex() >= 0) SetValue(b + 39 + static_cast<int>(m), BoxNumber(tailMacros_[m]->currentText()));
  }
  SetValue(b + 42, BoxNumber(inactivityTimer_));
  SetValue(b + 43, inactivityMacro_->currentIndex() + 1);

  SetValue(3, fanAllTx_->isChecked() ? 1 : 0);
  SetValue(5, linkingControl_->isChecked() ? 1 : 0);
  SetValue(2, BoxNumber(fanTimer_));
  SetValue(4, BoxNumber(speechDelay_));
  for (std::size_t t = 0; t < generalTimes_.size(); ++t) {
    SetValue(12 + static_cast<int>(t), BoxNumber(generalTimes_[t]));
    SetValue(6 + static_cast<int>(t), generalMacros_[t]->currentIndex());
  }
}

void Timers_Dialog::selectPort(int port) {
  takeTimers();
  selectedPort_ = port;
  showTimers();
}

void Timers_Dialog::tailMessageChosen(int index) {
  SetValue(base() + 32, index);
  showTimers();
}

void Timers_Dialog::saveChanges() {
  RunSave(QStringLiteral("TIMERS Save"), QStringLiteral("Saving TIMERS..."), TimersProgress,
          [this] { takeTimers(); }, SaveTimersToDataFile);
}

void Timers_Dialog::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, TimersProgress);
}

void OpenTimersDialog(QWidget* parent) { Timers_Dialog(parent).exec(); }

}  // namespace ostrin::ui
