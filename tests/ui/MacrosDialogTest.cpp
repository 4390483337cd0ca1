#include "editors/MacrosDialog.h"

#include <gtest/gtest.h>

#include <QListWidget>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/MacrosFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

constexpr int subset31To40 = 1170;
constexpr int subset1To10 = 1168;

class MacrosDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    MacroSubset = 0;
    path = folder.Write("macros.ini",
                        "[Macros]\r\nMacro37= 37 116 187\r\nDTMF37=123\r\nRestrictions37=13\r\n"
                        "Macro1= 5\r\n[Port 2]\r\nActive Macro=12\r\nInActive Macro=95\r\n");
    SetCurrentDataFileName(path);
  }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QComboBox* combo(int id) { return FindControlAs<QComboBox>(dialog.get(), id); }
  void open() { dialog = std::make_unique<Macros_Dialog>(); }
  void click(int id) { FindControlAs<QAbstractButton>(dialog.get(), id)->click(); }
  void choose(int id, int index) {
    combo(id)->setCurrentIndex(index);
    emit combo(id)->activated(index);
  }
  void type(int id, const QString& text) {
    edit(id)->setText(text);
    emit edit(id)->textEdited(text);
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Macros_Dialog> dialog;
};

TEST_F(MacrosDialogTest, OpensOnTheKeptSubsetWithTheFilesMacros) {
  MacroSubset = 3;
  open();
  EXPECT_EQ(dialog->windowTitle(), "MACROS");
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), subset31To40)->isChecked());
  EXPECT_FALSE(FindControlAs<QRadioButton>(dialog.get(), subset1To10)->isChecked());
  EXPECT_EQ(edit(1189)->text(), "37");  // row 7
  EXPECT_EQ(edit(1190)->text(), " 37 116 187");
  EXPECT_EQ(edit(1202)->text(), "123");
  EXPECT_EQ(edit(1176)->text(), "31");
  EXPECT_EQ(edit(1177)->text(), "NONE STORED");
  EXPECT_EQ(edit(1178)->text(), "NONE");
  EXPECT_TRUE(edit(1176)->isReadOnly());
  EXPECT_EQ(combo(1295)->currentText(), "1");
  EXPECT_EQ(combo(1296)->currentText(), "Disabled");
  EXPECT_EQ(combo(1298)->currentText(), "1");
  EXPECT_EQ(combo(1299)->currentText(), "All Ports");
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 2)->isDefault());

  auto* functions = FindControlAs<QListWidget>(dialog.get(), 1207);
  ASSERT_EQ(functions->count(), 883);
  EXPECT_TRUE(functions->item(0)->text().startsWith("  1  "));
  EXPECT_EQ(functions->accessibleDescription(), "1207");
}

TEST_F(MacrosDialogTest, ASubsetSwitchTakesTheRowsAsText) {
  open();
  type(1180, "  37   116 187 ");                                            // macro 2
  type(1182, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17");                  // macro 3
  edit(1198)->setText("9*");
  type(1184, "37 x 40");                                                    // macro 4
  edit(1199)->setText("none");
  edit(1200)->setText("123456789");                                         // macro 5
  type(1188, QString(60, ' ') + "12345");                                   // macro 6: cut at 63
  click(1169);
  EXPECT_EQ(MacroSubset, 1);
  EXPECT_EQ(edit(1176)->text(), "11");

  const MacroSteps three{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  EXPECT_EQ(GetMacro(194).steps, (MacroSteps{37, 116, 187}));
  EXPECT_EQ(GetMacro(195).steps, three);
  EXPECT_EQ(std::string(GetMacro(195).dtmf, 3), std::string("9*\0", 3));
  EXPECT_EQ(GetMacro(196).steps, (MacroSteps{37, 0, 40}));
  EXPECT_EQ(std::string(GetMacro(196).dtmf, 4), "none");
  EXPECT_EQ(std::string(GetMacro(197).dtmf, 8), "12345678");
  EXPECT_EQ(GetMacro(197).flags & PendingMask, EditedFlag);  // a code alone is no controller change
  EXPECT_EQ(GetMacro(198).steps, (MacroSteps{123}));
  EXPECT_EQ(GetMacro(194).flags & PendingMask, ChangedFlag | EditedFlag);

  click(subset1To10);
  EXPECT_EQ(edit(1180)->text(), " 37 116 187");
  EXPECT_EQ(edit(1184)->text(), " 37");
  EXPECT_EQ(edit(1199)->text(), "none");
  EXPECT_EQ(edit(1177)->text(), " 5");
}

TEST_F(MacrosDialogTest, ReceiverMacrosStoreAtOnceAndCancelKeepsThemPending) {
  open();
  choose(1295, 1);
  EXPECT_EQ(combo(1296)->currentText(), "12");
  EXPECT_EQ(combo(1297)->currentIndex(), -1);  // 95 is no macro
  choose(1296, 20);
  EXPECT_EQ(GetValue(2061).current, 20);
  EXPECT_EQ(GetValue(2061).flags & PendingMask, ChangedFlag | EditedFlag);
  type(1177, " 9");

  click(2);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(GetValue(2061).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(GetValue(2062).current, 95);  // the list without a selection kept it
  EXPECT_EQ(GetMacro(193).steps[0], 5);   // row edits wait for a subset change or a save
  EXPECT_EQ(ReadProfileText("Port 2", "Active Macro", ""), "12");
}

TEST_F(MacrosDialogTest, SaveChangesWritesTheRowsPortAssignmentsAndReceiverMacros) {
  open();
  choose(1298, 4);
  EXPECT_EQ(combo(1299)->currentText(), "All Ports");
  choose(1299, 5);
  EXPECT_EQ(MacroAttributes(GetMacro(197)), 0xA000u);
  choose(1298, 36);
  EXPECT_EQ(combo(1299)->currentText(), "Ports 1 & 3");
  type(1177, "7 8");
  edit(1178)->setText("");
  click(1);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(MacrosProgress, nullptr);
  EXPECT_EQ(ReadProfileText("Macros", "Restrictions5", ""), "13");
  EXPECT_EQ(ReadProfileText("Macros", "Restrictions37", ""), "13");
  EXPECT_EQ(ReadProfileText("Macros", "Restrictions1", ""), "123");
  EXPECT_EQ(ReadProfileText("Macros", "DTMF1", ""), "NONE");
  EXPECT_NE(ReadWholeFile(path).value().find("Macro1= 7 8\r\n"), std::string::npos);
  EXPECT_EQ(ReadProfileText("Macros", "Macro90", ""), "NONE STORED");
  EXPECT_EQ(ReadProfileText("Port 3", "InActive Macro", ""), "0");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MacrosDialogTest, EraseAllMacrosOnlySaysItIsNotThere) {
  open();
  click(1208);
  ASSERT_EQ(prompts.messages.size(), 1);
  EXPECT_EQ(prompts.messages[0], "Not yet Implimented.");
  EXPECT_EQ(GetMacro(229).steps[0], 37);
}

TEST_F(MacrosDialogTest, ADoubleClickedFunctionGoesToTheCursorOfTheRowLastEdited) {
  open();
  auto* functions = FindControlAs<QListWidget>(dialog.get(), 1207);
  emit functions->itemDoubleClicked(functions->item(2));  // no row edited yet
  EXPECT_EQ(edit(1177)->text(), " 5");

  type(1180, "NONE STORED");
  emit functions->itemDoubleClicked(functions->item(36));
  EXPECT_EQ(edit(1180)->text(), "37");
  emit functions->itemDoubleClicked(functions->item(115));
  EXPECT_EQ(edit(1180)->text(), "37 116");
  edit(1180)->setCursorPosition(2);
  emit functions->itemDoubleClicked(functions->item(0));
  EXPECT_EQ(edit(1180)->text(), "37 1 116");

  functions->setCurrentRow(5);  // selecting alone changes nothing
  EXPECT_EQ(edit(1180)->text(), "37 1 116");
  EXPECT_EQ(edit(1177)->text(), " 5");
}

}  // namespace
}  // namespace ostrin::ui
