#include "editors/TimersDialog.h"

#include <gtest/gtest.h>


#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/TimersFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

class TimersDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("timers.ini",
                        "[Port 1]\r\nHang_Timer1=35\r\nTail_Message_Number=2\r\nTail_Message_Counter2=7\r\n"
                        "Tail_Message_Timer2=8\r\n[Port 2]\r\nHang_Timer1=45\r\n"
                        "[General]\r\nGeneral_Timer1_Macro_To_Use=95\r\nTimer_Fan_Timer_All_Tx=0\r\n");
    SetCurrentDataFileName(path);
  }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QComboBox* combo(int id) { return FindControlAs<QComboBox>(dialog.get(), id); }
  void open() { dialog = std::make_unique<Timers_Dialog>(); }
  void chooseTail(int index) {
    combo(1020)->setCurrentIndex(index);
    emit combo(1020)->activated(index);
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Timers_Dialog> dialog;
};

TEST_F(TimersDialogTest, OpensOnPortOneWithTheFilesValues) {
  SetValue(1019, 99);
  open();
  EXPECT_EQ(dialog->windowTitle(), "Ostrin Timers Configuration");
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), 1109)->isChecked());
  EXPECT_EQ(edit(1116)->text(), "35");
  EXPECT_EQ(edit(1119)->text(), "300");
  EXPECT_EQ(combo(1020)->currentText(), "2");
  EXPECT_EQ(edit(1021)->text(), "7");
  EXPECT_EQ(edit(1022)->text(), "8");
  EXPECT_EQ(combo(1130)->currentText(), "NONE");  // 95 is no macro
  EXPECT_FALSE(FindControlAs<QCheckBox>(dialog.get(), 1114)->isChecked());
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 2)->isDefault());
  EXPECT_EQ(edit(1116)->accessibleDescription(), "1116");
}

TEST_F(TimersDialogTest, ShowsTheStoreWithoutReadingTheFileAfterARead) {
  ControllerDataLoaded = true;
  SetValue(1019, 12);
  open();
  EXPECT_EQ(edit(1116)->text(), "12");
}

TEST_F(TimersDialogTest, APortSwitchStoresThePortShownAndCancelKeepsItPending) {
  open();
  edit(1116)->setText("12x");
  edit(1117)->setText("abc");
  edit(1113)->setText("-5");
  FindControlAs<QRadioButton>(dialog.get(), 1110)->click();
  EXPECT_EQ(dialog->SelectedPort(), 1);
  EXPECT_EQ(edit(1116)->text(), "45");
  EXPECT_EQ(GetValue(1019).current, 12);
  EXPECT_EQ(GetValue(1020).current, 0);
  EXPECT_EQ(GetValue(2).current, -5);
  EXPECT_EQ(GetValue(1019).flags & PendingMask, ChangedFlag | EditedFlag);
  EXPECT_EQ(GetValue(6).current, 0);  // the "NONE" shown for 95 was taken

  FindControlAs<QPushButton>(dialog.get(), 2)->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(GetValue(1019).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(GetValue(2).flags & PendingMask, ChangedFlag | EditedFlag);  // general timers are not cleared
  EXPECT_EQ(ReadWholeFile(path).value().find("Hang_Timer1=12"), std::string::npos);

  open();  // the file is the master copy again
  EXPECT_EQ(edit(1116)->text(), "35");
}

TEST_F(TimersDialogTest, TheTailMessageListStoresAtOnceAndRedrawsEverything) {
  open();
  edit(1021)->setText("55");
  edit(1116)->setText("77");
  chooseTail(3);
  EXPECT_EQ(GetValue(1032).current, 3);
  EXPECT_EQ(edit(1021)->text(), "100");  // tail message 3's counter
  EXPECT_EQ(edit(1116)->text(), "35");   // the typed hang timer is gone
  EXPECT_EQ(GetValue(1034).current, 7);

  chooseTail(0);
  EXPECT_EQ(edit(1021)->text(), "");
  EXPECT_FALSE(edit(1021)->isEnabled());
  EXPECT_FALSE(edit(1022)->isEnabled());
  FindControlAs<QPushButton>(dialog.get(), 1)->click();
  EXPECT_EQ(GetValue(1034).current, 7);
  EXPECT_EQ(GetValue(1032).current, 0);
}

TEST_F(TimersDialogTest, SaveChangesTakesTheControlsAndWritesAllThreePorts) {
  open();
  edit(1118)->setText("33");
  combo(1128)->setCurrentIndex(2);
  FindControlAs<QPushButton>(dialog.get(), 1)->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(TimersProgress, nullptr);
  EXPECT_EQ(ReadProfileText("Port 1", "Hang_Timer3", ""), "33");
  EXPECT_EQ(ReadProfileText("Port 1", "TOT_Reset_Point", ""), "After CT Seg 2");
  EXPECT_EQ(ReadProfileText("Port 3", "Timeout_Timer", ""), "300");
  EXPECT_EQ(ReadProfileText("General", "General_Timer1_Macro_To_Use", ""), "0");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

}  // namespace
}  // namespace ostrin::ui
