#include "editors/SchedClockDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/SchedClockFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

class SchedClockDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("sched.ini",
                        "[Real Time Clock]\r\nRTC 24 Hour Readback=Enabled\r\n"
                        "[Scheduler SetPoint3]\r\nDow=99\r\nHours=50\r\nMinutes=5\r\nMacro=12\r\nEnabled=1\r\n");
    SetCurrentDataFileName(path);
  }
  QComboBox* combo(int id) { return FindControlAs<QComboBox>(dialog.get(), id); }
  QCheckBox* check(int id) { return FindControlAs<QCheckBox>(dialog.get(), id); }
  void open() { dialog = std::make_unique<Sched_Clock_Dialog>(); }
  void chooseSetpoint(int index) {
    combo(1287)->setCurrentIndex(index);
    emit combo(1287)->activated(index);
  }
  void press(Qt::Key key) {
    dialog->show();
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &event);
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Sched_Clock_Dialog> dialog;
};

TEST_F(SchedClockDialogTest, OpensWithTheFilesSetPointsAndDefaults) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Scheduler + Real Time Clock");
  EXPECT_EQ(combo(1287)->currentText(), "1");
  EXPECT_EQ(combo(1020)->currentText(), "Everyday");
  EXPECT_EQ(combo(1288)->currentText(), "EveryMonth");
  EXPECT_EQ(combo(1291)->currentText(), "Every Hour");
  EXPECT_EQ(combo(1292)->currentText(), "30");
  EXPECT_EQ(combo(1293)->currentText(), "NONE");
  EXPECT_FALSE(check(1294)->isChecked());
  EXPECT_FALSE(check(1289)->isChecked());
  EXPECT_TRUE(check(1258)->isChecked());
  EXPECT_TRUE(check(1259)->isEnabled());
  EXPECT_FALSE(check(1259)->isChecked());
  EXPECT_FALSE(FindControl(dialog.get(), 1260)->isEnabled());
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 1)->isDefault());
  const SetpointRecord last = GetSetpoint(433);
  EXPECT_EQ(last.hours, 99);
  EXPECT_EQ(last.minutes, 30);
  EXPECT_EQ(last.dayOfWeek | last.monthOfYear | last.macro | last.enabled, 0);

  FindControlAs<QPushButton>(dialog.get(), 1256)->click();
  ASSERT_EQ(prompts.messages.size(), 1);
  EXPECT_EQ(prompts.messages[0], "Use \"Set Clock\" button on main Window");
}

TEST_F(SchedClockDialogTest, TheBoxesStoreTheirCodes) {
  struct Case {
    const char* name;
    int dayIndex;
    bool monthly;
    int occurrenceIndex;
    int hourIndex;
    std::int32_t day;
    std::int32_t hours;
  };
  const Case cases[] = {
      {"every hour, sunday", 0, false, 0, 0, 7, 99},
      {"12 AM, everyday", 9, false, 0, 1, 0, 0},
      {"11 PM, weekends", 8, false, 0, 24, 9, 23},
      {"monthly 3rd whatever the day", 1, true, 2, 13, 30, 12},
  };
  open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    combo(1020)->setCurrentIndex(c.dayIndex);
    check(1289)->setChecked(c.monthly);
    combo(1290)->setCurrentIndex(c.occurrenceIndex);
    combo(1291)->setCurrentIndex(c.hourIndex);
    combo(1288)->setCurrentIndex(12);
    combo(1292)->setCurrentIndex(59);
    combo(1293)->setCurrentIndex(90);
    chooseSetpoint(1);
    const SetpointRecord stored = GetSetpoint(394);
    EXPECT_EQ(stored.dayOfWeek, c.day);
    EXPECT_EQ(stored.hours, c.hours);
    EXPECT_EQ(stored.monthOfYear, 12);
    EXPECT_EQ(stored.minutes, 59);
    EXPECT_EQ(stored.macro, 90);
    chooseSetpoint(0);
    EXPECT_EQ(check(1289)->isChecked(), c.monthly);
    EXPECT_EQ(combo(1291)->currentIndex(), c.hourIndex);
  }
  EXPECT_EQ(combo(1290)->currentText(), "3rd");
  EXPECT_EQ(combo(1020)->currentText(), "Everyday");
}

TEST_F(SchedClockDialogTest, CodesWithoutAnEntryAreKeptAndCancelKeepsSwitchedSetPointsPending) {
  open();
  chooseSetpoint(2);
  EXPECT_TRUE(check(1289)->isChecked());
  EXPECT_EQ(combo(1290)->currentIndex(), -1);  // occurrence 9
  EXPECT_EQ(combo(1291)->currentIndex(), -1);  // hours 50
  EXPECT_EQ(combo(1292)->currentText(), "05");
  EXPECT_EQ(combo(1293)->currentText(), "12");
  combo(1292)->setCurrentIndex(6);
  chooseSetpoint(0);
  const SetpointRecord third = GetSetpoint(396);
  EXPECT_EQ(third.dayOfWeek, 99);
  EXPECT_EQ(third.hours, 50);
  EXPECT_EQ(third.minutes, 6);

  press(Qt::Key_Escape);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(GetSetpoint(396).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadProfileText("Scheduler SetPoint3", "Minutes", ""), "5");
}

TEST_F(SchedClockDialogTest, SayHoursFollowsTheTwentyFourHourReadbackAndEnterSaves) {
  open();
  check(1258)->click();
  EXPECT_FALSE(check(1259)->isEnabled());
  check(1258)->click();
  EXPECT_TRUE(check(1259)->isEnabled());
  check(1257)->click();
  check(1259)->click();
  check(1294)->setChecked(true);
  combo(1291)->setCurrentIndex(1);

  press(Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(SchedClockProgress, nullptr);
  EXPECT_EQ(GetValue(19).current, 7);
  EXPECT_EQ(ReadProfileText("Real Time Clock", "RTC Year Readback", ""), "Enabled");
  EXPECT_EQ(ReadProfileText("Real Time Clock", "RTC 24 Hour Readback", ""), "Enabled");
  EXPECT_EQ(ReadProfileText("Real Time Clock", "RTC Hours Readback", ""), "Enabled");
  EXPECT_EQ(ReadProfileText("Scheduler SetPoint1", "Hours", ""), "0");
  EXPECT_EQ(ReadProfileText("Scheduler SetPoint1", "Enabled", ""), "1");
  EXPECT_EQ(ReadProfileText("Scheduler SetPoint3", "Dow", ""), "99");
  EXPECT_EQ(ReadProfileText("Scheduler SetPoint40", "Minutes", ""), "30");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

}  // namespace
}  // namespace ostrin::ui
