#include "editors/SchedClockDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <span>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/SchedClockFile.h"
#include "model/ParameterStore.h"
#include "ui/Prompts.h"

namespace ostrin::ui {
namespace {

constexpr int everydayIndex = 9;
constexpr int defaultMinute = 30;
constexpr int macroCount = 90;

const QString caption = QStringLiteral("Scheduler + Real Time Clock");

QStringList texts(std::span<const char* const> items) {
  QStringList list;
  for (const char* item : items) list << QString::fromLatin1(item);
  return list;
}

QStringList minuteItems() {
  QStringList items;
  for (int minute = 0; minute < 60; ++minute) items << QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
  return items;
}

QStringList macroItems() {
  QStringList items{QStringLiteral("NONE")};
  items << NumberItems(1, macroCount);
  return items;
}

void selectIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// A box left without a selection (its stored code had no entry) keeps the stored code.
void takeIndex(const QComboBox* combo, std::int32_t& field) {
  if (combo->currentIndex() >= 0) field = combo->currentIndex();
}

std::vector<int> cancelNumbers() {
  std::vector<int> numbers{RtcOptionsNumber};
  for (int setpoint = 0; setpoint < SetpointCount; ++setpoint) numbers.push_back(FirstSetpoint + setpoint);
  return numbers;
}

// A label and its box in one grid row.
void addRow(QGridLayout* grid, int row, const QString& label, QWidget* box) {
  grid->addWidget(new QLabel(label, grid->parentWidget()), row, 0, Qt::AlignRight);
  grid->addWidget(box, row, 1);
}

}  // namespace

Sched_Clock_Dialog::Sched_Clock_Dialog(QWidget* parent) : CategoryDialog(parent, caption) {
  buildControls();
  setpointNumber_->setCurrentIndex(0);
  shownSetpoint_ = 0;
  dayOfWeek_->setCurrentIndex(everydayIndex);
  month_->setCurrentIndex(0);
  enable_->setChecked(false);
  monthly_->setChecked(false);
  occurrence_->setCurrentIndex(0);
  hours_->setCurrentIndex(0);
  minutes_->setCurrentIndex(defaultMinute);
  macro_->setCurrentIndex(0);
  sayYear_->setChecked(false);
  hour24_->setChecked(false);
  sayHours_->setChecked(true);
  sayHours_->setEnabled(false);
  if (!ControllerDataLoaded) LoadSchedClockFromDataFile();
  showStore();
}

void Sched_Clock_Dialog::buildControls() {
  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Save, &Sched_Clock_Dialog::saveChanges);

  auto* columns = new QHBoxLayout;
  columns->addWidget(buildScheduler());
  columns->addWidget(buildClock());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons.row);
}

QWidget* Sched_Clock_Dialog::buildScheduler() {
  auto* group = Group(QStringLiteral("Scheduler"));
  auto* grid = new QGridLayout(group);
  setpointNumber_ = Combo(1287, QStringLiteral("Set Point Number:"), NumberItems(1, SetpointCount));
  enable_ = Check(1294, QStringLiteral("Enable"));
  dayOfWeek_ = Combo(1020, QStringLiteral("Day of the Week:"), texts(DayOfWeekTexts));
  monthly_ = Check(1289, QStringLiteral("Monthly"));
  occurrence_ = Combo(1290, QStringLiteral("Number of Occurance this Month:"), texts(OccurrenceTexts));
  month_ = Combo(1288, QStringLiteral("Month to Run:"), texts(MonthTexts));
  hours_ = Combo(1291, QStringLiteral("Start Hours:"), texts(StartHourTexts));
  minutes_ = Combo(1292, QStringLiteral("Start Minutes:"), minuteItems());
  macro_ = Combo(1293, QStringLiteral("Macro to Run:"), macroItems());
  connect(setpointNumber_, &QComboBox::activated, this, &Sched_Clock_Dialog::selectSetpoint);

  addRow(grid, 0, QStringLiteral("Set Point Number:"), setpointNumber_);
  grid->addWidget(enable_, 0, 2);
  addRow(grid, 1, QStringLiteral("Day of the Week:"), dayOfWeek_);
  grid->addWidget(monthly_, 2, 1);
  addRow(grid, 3, QStringLiteral("Number of Occurance this Month:"), occurrence_);
  addRow(grid, 4, QStringLiteral("Month to Run:"), month_);
  addRow(grid, 5, QStringLiteral("Start Hours:"), hours_);
  addRow(grid, 6, QStringLiteral("Start Minutes:"), minutes_);
  addRow(grid, 7, QStringLiteral("Macro to Run:"), macro_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(8, 1);
  return group;
}

QWidget* Sched_Clock_Dialog::buildClock() {
  auto* group = Group(QStringLiteral("Real Time Clock"));
  auto* grid = new QGridLayout(group);
  auto* setClock = Button(1256, QStringLiteral("Set Clock"));
  connect(setClock, &QPushButton::clicked, this, [this] {
    CurrentPrompts().Message(this, QStringLiteral("Use \"Set Clock\" button on main Window"), caption);
  });
  sayYear_ = Check(1257, QStringLiteral("Say Year"));
  hour24_ = Check(1258, QStringLiteral("24 Hour Readback"));
  sayHours_ = Check(1259, QStringLiteral("Say Hours"));
  connect(hour24_, &QCheckBox::clicked, this, [this] { sayHours_->setEnabled(hour24_->isChecked()); });
  auto* correction = Edit(1260, QStringLiteral("Clock Correction (Seconds)"));
  correction->setReadOnly(true);
  auto* correctionLabel = new QLabel(QStringLiteral("Clock Correction"), group);
  auto* secondsLabel = new QLabel(QStringLiteral("Seconds"), group);
  for (QWidget* widget : {static_cast<QWidget*>(correction), static_cast<QWidget*>(correctionLabel),
                          static_cast<QWidget*>(secondsLabel)}) {
    widget->setEnabled(false);
  }

  grid->addWidget(setClock, 0, 0);
  grid->addWidget(Note(QStringLiteral("Setting the clock sets the Ostrin's clock and calendar "
                                      "to this computer's time at once.")),
                  0, 1, 1, 2);
  grid->addWidget(sayYear_, 1, 0, 1, 3);
  grid->addWidget(hour24_, 2, 0, 1, 3);
  grid->addWidget(sayHours_, 3, 0, 1, 3);
  grid->addWidget(correctionLabel, 4, 0, Qt::AlignRight);
  grid->addWidget(correction, 4, 1);
  grid->addWidget(secondsLabel, 4, 2);
  grid->setRowStretch(5, 1);
  return group;
}

void Sched_Clock_Dialog::showStore() {
  const std::int32_t options = GetValue(RtcOptionsNumber).current;
  sayYear_->setChecked((options & RtcSayYearBit) != 0);
  hour24_->setChecked((options & Rtc24HourBit) != 0);
  if ((options & Rtc24HourBit) != 0) sayHours_->setEnabled(true);
  sayHours_->setChecked((options & RtcSayHoursBit) != 0);

  const SetpointRecord setpoint = GetSetpoint(FirstSetpoint + shownSetpoint_);
  const bool monthly = IsMonthlyDayCode(setpoint.dayOfWeek);
  // A monthly day code names no weekday: the day box shows "Everyday", which
  // is also what the set point becomes when "Monthly" is cleared.
  selectIndex(dayOfWeek_, monthly ? everydayIndex : DayIndexOfDayCode(setpoint.dayOfWeek));
  selectIndex(month_, setpoint.monthOfYear);
  monthly_->setChecked(monthly);
  if (monthly) selectIndex(occurrence_, OccurrenceIndexOfDayCode(setpoint.dayOfWeek));
  selectIndex(hours_, HourIndexOfHoursCode(setpoint.hours));
  selectIndex(minutes_, setpoint.minutes);
  selectIndex(macro_, setpoint.macro);
  enable_->setChecked(setpoint.enabled != 0);
}

void Sched_Clock_Dialog::takeStore() {
  SetValue(RtcOptionsNumber, (sayYear_->isChecked() ? RtcSayYearBit : 0) | (hour24_->isChecked() ? Rtc24HourBit : 0) |
                                 (sayHours_->isChecked() ? RtcSayHoursBit : 0));

  const ParameterNumber number = FirstSetpoint + shownSetpoint_;
  SetpointRecord setpoint = GetSetpoint(number);
  if (monthly_->isChecked()) {
    if (occurrence_->currentIndex() >= 0) setpoint.dayOfWeek = MonthlyDayCode(occurrence_->currentIndex());
  } else if (dayOfWeek_->currentIndex() >= 0) {
    setpoint.dayOfWeek = DayCodeOfDayIndex(dayOfWeek_->currentIndex());
  }
  takeIndex(month_, setpoint.monthOfYear);
  if (hours_->currentIndex() >= 0) setpoint.hours = HoursCodeOfHourIndex(hours_->currentIndex());
  takeIndex(minutes_, setpoint.minutes);
  takeIndex(macro_, setpoint.macro);
  setpoint.enabled = enable_->isChecked() ? 1 : 0;
  SetSetpoint(number, setpoint);
}

void Sched_Clock_Dialog::selectSetpoint(int index) {
  takeStore();
  shownSetpoint_ = index;
  showStore();
}

void Sched_Clock_Dialog::saveChanges() {
  RunSave(QStringLiteral("SCHED/CLOCK Save"), QStringLiteral("Saving SCHEDULER..."), SchedClockProgress,
          [this] { takeStore(); }, SaveSchedClockToDataFile);
}

void Sched_Clock_Dialog::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, SchedClockProgress);
}

void OpenSchedClockDialog(QWidget* parent) { Sched_Clock_Dialog(parent).exec(); }

}  // namespace ostrin::ui
