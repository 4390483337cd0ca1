#include "editors/LogicAlarmsDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/LogicAlarmsFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

class LogicAlarmsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("alarms.ini", "[Other]\r\nKey=1\r\n");
    SetCurrentDataFileName(path);
  }
  QComboBox* combo(int id) { return FindControlAs<QComboBox>(dialog.get(), id); }
  QCheckBox* enabled() { return FindControlAs<QCheckBox>(dialog.get(), 1253); }
  void open() { dialog = std::make_unique<Logic_Alarms_Dialog>(); }
  void chooseAlarm(int index) {
    combo(1250)->setCurrentIndex(index);
    emit combo(1250)->activated(index);
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Logic_Alarms_Dialog> dialog;
};

TEST_F(LogicAlarmsDialogTest, AFileWithoutAlarmsGivesTheDefaultsAndEnterCancels) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Logic (Input) Alarms");
  EXPECT_EQ(combo(1250)->currentText(), "1");
  EXPECT_EQ(combo(1251)->currentText(), "80");
  EXPECT_EQ(combo(1252)->currentText(), "81");
  EXPECT_FALSE(enabled()->isChecked());
  EXPECT_TRUE(combo(1251)->isEditable());
  EXPECT_FALSE(IsPending(373));
  EXPECT_EQ(GetLogicAlarm(373).lowToHighMacro, 81);

  dialog->show();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dialog.get(), &enter);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(LogicAlarmsDialogTest, ChoosingAnotherAlarmStoresTheShownOneAndCancelKeepsIt) {
  open();
  combo(1251)->setCurrentIndex(89);  // the last entry
  combo(1252)->setEditText("95");
  enabled()->setChecked(true);
  chooseAlarm(2);
  EXPECT_EQ(dialog->ShownAlarm(), 2);
  const LogicAlarmRecord first = GetLogicAlarm(369);
  EXPECT_EQ(first.highToLowMacro, 90);
  EXPECT_EQ(first.lowToHighMacro, 95);
  EXPECT_EQ(first.enabled, 1);
  EXPECT_EQ(combo(1251)->currentText(), "80");

  chooseAlarm(0);
  EXPECT_EQ(combo(1252)->currentIndex(), -1);
  EXPECT_EQ(combo(1252)->currentText(), "95");  // no entry: shown as the number
  combo(1251)->setEditText("abc");
  chooseAlarm(1);
  EXPECT_EQ(GetLogicAlarm(369).highToLowMacro, 0);
  EXPECT_EQ(GetLogicAlarm(369).lowToHighMacro, 95);

  FindControlAs<QPushButton>(dialog.get(), 2)->click();
  EXPECT_EQ(GetLogicAlarm(369).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadProfileText("Logic Alarm 1", "Enabled", "none"), "none");
}

TEST_F(LogicAlarmsDialogTest, SaveChangesWritesAllFiveAlarms) {
  open();
  chooseAlarm(1);
  combo(1251)->setCurrentIndex(11);
  combo(1252)->setEditText("34");
  enabled()->setChecked(true);
  FindControlAs<QPushButton>(dialog.get(), 1)->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(LogicAlarmsProgress, nullptr);
  EXPECT_EQ(ReadProfileText("Logic Alarm 2", "Logic Alarm HighToLow", ""), "12");
  EXPECT_EQ(ReadProfileText("Logic Alarm 2", "Logic Alarm LowToHigh", ""), "34");
  EXPECT_EQ(ReadProfileText("Logic Alarm 2", "Enabled", ""), "1");
  EXPECT_EQ(ReadProfileText("Logic Alarm 5", "Logic Alarm LowToHigh", ""), "81");
  EXPECT_EQ(ReadProfileText("Other", "Key", ""), "1");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

}  // namespace
}  // namespace ostrin::ui
