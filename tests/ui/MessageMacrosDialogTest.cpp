#include "editors/MessageMacrosDialog.h"

#include <gtest/gtest.h>

#include <QListWidget>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/MessageMacrosFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TypedText.h"

namespace ostrin::ui {
namespace {

class MessageMacrosDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    MessageMacroSubset = 0;
    path = folder.Write("messages.ini",
                        "[Message_Macros]\r\nMessage_Macro1=GOOD MORNING \r\nMessage_Macro42=HELLO \r\n");
    SetCurrentDataFileName(path);
  }
  void open() { dialog = std::make_unique<Message_Macros>(); }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QListWidget* vocabulary() { return FindControlAs<QListWidget>(dialog.get(), 1234); }
  void click(int id) { FindControlAs<QAbstractButton>(dialog.get(), id)->click(); }
  std::string macroKey(int k) { return ReadProfileText("Message_Macros", MessageMacroKey(k), "<missing>"); }
  MessageMacroRecord macro(int k) { return GetMessageMacro(FirstMessageMacro + k - 1); }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Message_Macros> dialog;
};

TEST_F(MessageMacrosDialogTest, OpensWithTheFilesMacrosAndTheNumberedVocabulary) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Message Macros");
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), 1209)->isChecked());
  EXPECT_EQ(edit(1214)->text(), "1");
  EXPECT_EQ(edit(1224)->text(), "GOOD MORNING ");
  EXPECT_EQ(edit(1225)->text(), "NONE STORED");
  ASSERT_EQ(vocabulary()->count(), 256);
  EXPECT_EQ(vocabulary()->item(30)->text(), " 30  A");
  EXPECT_EQ(vocabulary()->item(255)->text(), "255  DVR20");
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 3)->isDefault());
  EXPECT_FALSE(FindControlAs<QPushButton>(dialog.get(), 4)->isDefault());
}

TEST_F(MessageMacrosDialogTest, AGroupSwitchKeepsTheLinesAndIsRememberedForTheNextOpening) {
  open();
  edit(1224)->setText("good morning");
  edit(1225)->setText("NONE STORED");
  edit(1226)->setText("none stored");
  edit(1227)->setText("A B C D E F G H I J K L");
  edit(1228)->setText(QString(55, QLatin1Char(' ')) + "HELLO GOOD HELLO");  // 71 characters: GOOD is cut to GO
  edit(1229)->setText("");
  click(1235);
  EXPECT_EQ(MessageMacroSubset, 4);
  EXPECT_EQ(edit(1214)->text(), "41");
  EXPECT_EQ(edit(1223)->text(), "50");
  EXPECT_EQ(edit(1225)->text(), "HELLO ");

  EXPECT_EQ(macro(1).size, 2);
  EXPECT_EQ(macro(1).words[0], 122);
  EXPECT_EQ(macro(1).words[1], 157);
  EXPECT_EQ(macro(2).size, 0);
  EXPECT_EQ(macro(3).size, 0);
  EXPECT_EQ(macro(4).size, 9);
  EXPECT_EQ(macro(5).size, 2);
  EXPECT_EQ(macro(5).words[1], 121);  // GO
  EXPECT_EQ(macro(6).size, 0);

  dialog.reset();
  ControllerDataLoaded = true;
  open();
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), 1235)->isChecked());
  click(1209);
  EXPECT_EQ(edit(1224)->text(), "GOOD MORNING ");
}

TEST_F(MessageMacrosDialogTest, EraseAllAsksNothingAddsNoPendingChangeAndSavesEmptyMacros) {
  open();
  click(1213);
  EXPECT_TRUE(prompts.questions.isEmpty());
  EXPECT_EQ(edit(1224)->text(), "NONE STORED");
  EXPECT_EQ(CountPending(), 0);
  click(4);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(MessageMacrosProgress, nullptr);
  for (int k = 1; k <= MessageMacroCount; ++k) EXPECT_EQ(macroKey(k), "NONE STORED") << k;
  EXPECT_EQ(CountPending(), 0);
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MessageMacrosDialogTest, CancelChangesClearsTheFlagsButTheCloseBoxClosesWithoutIt) {
  const std::string before = ReadWholeFile(path).value();
  open();
  edit(1225)->setText("HELLO");
  click(1210);
  click(3);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(macro(2).size, 1);
  EXPECT_EQ(macro(2).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadWholeFile(path).value(), before);

  ControllerDataLoaded = true;
  open();
  SetMessageMacro(FirstMessageMacro + 30, MessageMacroFromText("HELLO"));
  edit(1224)->setText("HELLO");
  static_cast<QDialog*>(dialog.get())->reject();  // Escape and the close box
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(macro(31).flags & PendingMask, ChangedFlag | EditedFlag);
  EXPECT_EQ(macro(11).size, 0);  // the texts shown were not kept
}

TEST_F(MessageMacrosDialogTest, ADoubleClickedWordWithASpaceSurvivesAnEdit) {
  open();
  QLineEdit* line = edit(1224);
  TypeInto(line, "HELLO");  // typed at the end of "GOOD MORNING "
  line->setCursorPosition(5);
  vocabulary()->setCurrentRow(204);
  EXPECT_EQ(line->text(), "GOOD MORNING HELLO");
  emit vocabulary()->itemDoubleClicked(vocabulary()->item(204));
  EXPECT_EQ(line->text(), "GOOD THANK_YOU MORNING HELLO");
  click(1211);
  EXPECT_EQ(macro(1).size, 4);
  EXPECT_EQ(macro(1).words[1], 204);
  click(1209);
  EXPECT_EQ(line->text(), "GOOD THANK_YOU MORNING HELLO ");
}

}  // namespace
}  // namespace ostrin::ui
