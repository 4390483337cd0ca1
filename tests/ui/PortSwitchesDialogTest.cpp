#include "editors/PortSwitchesDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/PortSwitchesFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

constexpr const char* fileText =
    "[Port 1]\r\nAccess_Mode=Tone & Carrier\r\nTxEnable=10\r\n"
    "[Port 2]\r\nRxEnable=2\r\nIDTimer_Starts_On=0\r\n"
    "[Port 3]\r\nTONE_Encode_Polarity=1\r\n"
    "[General]\r\nTX_Timer_Units=1\r\n";

class PortSwitchesDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("switches.ini", fileText);
    SetCurrentDataFileName(path);
  }
  template <typename Widget>
  Widget* control(int id) {
    return FindControlAs<Widget>(dialog.get(), id);
  }
  bool checked(int id) { return control<QAbstractButton>(id)->isChecked(); }
  void open() { dialog = std::make_unique<Port_Switches>(); }
  void press(Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &event);
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Port_Switches> dialog;
};

TEST_F(PortSwitchesDialogTest, OpensWithTheThreePortsAndTheGeneralSwitchesOfTheFile) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Radio Port Switches");
  EXPECT_EQ(control<QComboBox>(1027)->currentText(), "Tone & Carrier");
  EXPECT_EQ(control<QComboBox>(1048)->currentText(), "Carrier");
  EXPECT_TRUE(checked(1022));   // TxEnable=10
  EXPECT_FALSE(checked(1044));  // RxEnable=2
  EXPECT_TRUE(checked(1065));
  EXPECT_TRUE(checked(1036));   // timer starts after CT
  EXPECT_TRUE(checked(1059));   // port 2's ID timer starts on COS
  EXPECT_TRUE(checked(1081));   // port 3 keeps the default "On PTT"
  EXPECT_TRUE(checked(1088));   // port 1's polarity "Lo"
  EXPECT_TRUE(checked(1095));   // port 3's polarity "Hi"
  EXPECT_FALSE(checked(1097));
  EXPECT_TRUE(checked(1099));
  EXPECT_FALSE(checked(1098));
  EXPECT_EQ(control<QCheckBox>(1076)->accessibleName(), "ON During ID/Speech");
  EXPECT_EQ(control<QCheckBox>(1076)->accessibleDescription(), "1076");
  EXPECT_TRUE(control<QPushButton>(1)->isDefault());
  EXPECT_EQ(control<QPushButton>(1)->text(), "Cancel Changes");
}

TEST_F(PortSwitchesDialogTest, SaveChangesTakesAllThreePortsAndWritesTheirKeys) {
  open();
  control<QComboBox>(1048)->setCurrentIndex(1);
  control<QAbstractButton>(1064)->click();  // port 3's transmitter off
  control<QAbstractButton>(1096)->click();  // port 3's polarity "Lo"
  control<QAbstractButton>(1091)->click();  // port 3 evaluates DTMF on COS
  control<QAbstractButton>(1097)->click();
  control<QAbstractButton>(1098)->click();
  control<QPushButton>(1101)->click();

  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(PortSwitchesProgress, nullptr);
  EXPECT_EQ(GetValue(2005).current, 1);
  EXPECT_EQ(GetValue(2005).flags & PendingMask, ChangedFlag | EditedFlag);
  EXPECT_EQ(GetValue(3018).current, 0);
  EXPECT_EQ(GetValue(1).current, 0);
  EXPECT_EQ(GetValue(1).flags & PendingMask, ChangedFlag | EditedFlag);
  EXPECT_EQ(GetValue(1000).flags & PendingMask, 0u);
  EXPECT_EQ(ReadProfileText("Port 2", "Access_Mode", ""), "Tone & Carrier");
  EXPECT_EQ(ReadProfileText("Port 3", "TxEnable", ""), "0");
  EXPECT_EQ(ReadProfileText("Port 3", "TONE_Encode_Polarity", ""), "0");
  EXPECT_EQ(ReadProfileText("Port 3", "DTMF_Evaluate_On_Close", ""), "0");
  EXPECT_EQ(ReadProfileText("General", "Allow_Speech_With_Terminator", ""), "1");
  EXPECT_EQ(ReadProfileText("General", "TX_Timer_Units", ""), "0");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(PortSwitchesDialogTest, AnAccessModeOutsideTheListShowsEmptyAndIsNotWritten) {
  ControllerDataLoaded = true;
  SetValue(3005, 4);
  open();
  EXPECT_EQ(control<QComboBox>(1069)->currentIndex(), -1);
  control<QPushButton>(1101)->click();
  EXPECT_EQ(GetValue(3005).current, -1);
  EXPECT_EQ(ReadProfileText("Port 3", "Access_Mode", "none"), "none");
  EXPECT_EQ(ReadProfileText("Port 3", "TxEnable", ""), "0");  // the store, not the file, was shown
}

TEST_F(PortSwitchesDialogTest, CancelChangesAndEnterClearTheEditsWithoutStoring) {
  for (const bool byEnter : {false, true}) {
    ResetStore();
    open();
    SetValue(1000, 0);
    SetValue(1, 0);
    control<QAbstractButton>(1032)->click();
    control<QComboBox>(1069)->setCurrentIndex(1);
    if (byEnter) {
      dialog->show();
      press(Qt::Key_Return);
    } else {
      control<QPushButton>(1)->click();
    }
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << byEnter;
    EXPECT_EQ(GetValue(1000).flags & PendingMask, ChangedFlag) << byEnter;
    EXPECT_EQ(GetValue(1).flags & PendingMask, ChangedFlag) << byEnter;
    EXPECT_EQ(GetValue(2000).current, 1) << byEnter;
    EXPECT_EQ(GetValue(3005).current, 0) << byEnter;
    EXPECT_EQ(ReadWholeFile(path).value(), fileText) << byEnter;
  }
}

TEST_F(PortSwitchesDialogTest, TheCloseBoxAndEscapeEndTheDialogWithoutCancelChanges) {
  for (const bool byEscape : {false, true}) {
    open();
    SetValue(1000, 0);
    dialog->show();
    if (byEscape) {
      press(Qt::Key_Escape);
    } else {
      dialog->close();
    }
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << byEscape;
    EXPECT_FALSE(dialog->isVisible()) << byEscape;
    EXPECT_EQ(GetValue(1000).flags & PendingMask, ChangedFlag | EditedFlag) << byEscape;
  }
}

}  // namespace
}  // namespace ostrin::ui
