#include "editors/AccessCodesDialog.h"

#include <gtest/gtest.h>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/AccessCodesFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

constexpr const char* section = "Special Codes";

class SpecialCodesDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("codes.ini",
                        "[Special Codes]\r\nPort 2 UnLock=2468\r\nGlobal Lock=99\r\nTerminator=#\r\n"
                        "DTMF Mute Select=1\r\nDR1 Mode Select=0\r\nDTMF Pre Access Range Stop=12\r\n");
    SetCurrentDataFileName(path);
  }
  void open() { dialog = std::make_unique<Special_Codes_Dialog>(); }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QCheckBox* check(int id) { return FindControlAs<QCheckBox>(dialog.get(), id); }
  QRadioButton* radio(int id) { return FindControlAs<QRadioButton>(dialog.get(), id); }
  void click(int id) { FindControlAs<QPushButton>(dialog.get(), id)->click(); }
  std::string written(const char* key) { return ReadProfileText(section, key, "<missing>"); }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Special_Codes_Dialog> dialog;
};

TEST_F(SpecialCodesDialogTest, OpensWithTheFilesValuesAndTheDefaults) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Special Codes");
  EXPECT_EQ(edit(1261)->text(), "17390");
  EXPECT_EQ(edit(1262)->text(), "2468");
  EXPECT_EQ(edit(1264)->text(), "99");
  EXPECT_EQ(edit(1265)->text(), "#");
  EXPECT_EQ(edit(1272)->text(), "85");
  EXPECT_EQ(edit(1287)->text(), "0");
  EXPECT_EQ(edit(1288)->text(), "12");
  EXPECT_TRUE(check(1271)->isChecked());
  EXPECT_FALSE(check(1273)->isChecked());
  EXPECT_TRUE(check(1276)->isChecked());
  EXPECT_TRUE(radio(1275)->isChecked());
  EXPECT_FALSE(radio(1274)->isChecked());
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 1)->isDefault());
  EXPECT_EQ(edit(1261)->accessibleName(), "Port 1 Unlock");
  EXPECT_EQ(edit(1261)->accessibleDescription(), "1261");
}

TEST_F(SpecialCodesDialogTest, SaveCutsTheCodesToTheirFieldsAndNormalisesTheRange) {
  open();
  edit(1261)->setText("1234567890");
  edit(1264)->setText("123456");
  edit(1272)->setText("ABCDEFG");
  edit(1286)->setText("*12345");
  edit(1287)->setText("300");
  edit(1288)->setText("-4");
  edit(1265)->setText("AB");
  radio(1274)->setChecked(true);
  check(1273)->setChecked(true);
  click(1);

  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(SpecialCodesProgress, nullptr);
  EXPECT_EQ(StoredCodeText(1057), "12345678");
  EXPECT_EQ(written("Port 1 UnLock"), "12345678");
  EXPECT_EQ(written("Global Lock"), "1234");
  EXPECT_EQ(written("DTMF Pad Test"), "ABCDE");
  EXPECT_EQ(written("DTMF Pre Access"), "*12");
  EXPECT_EQ(written("DTMF Pre Access Range Start"), "255");
  EXPECT_EQ(written("DTMF Pre Access Range Stop"), "0");
  EXPECT_EQ(GetValue(TerminatorNumber).current, 'A');
  EXPECT_EQ(written("Terminator"), "A");
  EXPECT_EQ(written("DTMF Mute Select"), "0");
  EXPECT_EQ(written("DR1 Mode Select"), "1");
  EXPECT_TRUE(prompts.messages.isEmpty());

  ControllerDataLoaded = true;
  open();
  EXPECT_EQ(edit(1287)->text(), "255");
  EXPECT_EQ(edit(1288)->text(), "0");
}

TEST_F(SpecialCodesDialogTest, AnEmptyTerminatorAndNoMuteChoiceKeepTheStoredValues) {
  open();
  edit(1265)->clear();
  edit(1287)->setText("7");
  radio(1274)->setAutoExclusive(false);
  radio(1275)->setAutoExclusive(false);
  radio(1275)->setChecked(false);
  click(1);
  EXPECT_EQ(GetValue(TerminatorNumber).current, '#');
  EXPECT_EQ(GetValue(DtmfMuteNumber).current, 1);
  EXPECT_EQ(written("DTMF Pre Access Range Start"), "7");
  EXPECT_EQ(written("DTMF Mute Select"), "1");
}

TEST_F(SpecialCodesDialogTest, CancelClearsTheEditedFlagsKeepsTheStoreAndWritesNothing) {
  const std::string before = ReadWholeFile(path).value();
  open();
  SetCodeText(GlobalLockNumber, "55");
  edit(1264)->setText("77");
  click(2);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(StoredCodeText(GlobalLockNumber), "55");
  EXPECT_EQ(GetCodeText(GlobalLockNumber).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadWholeFile(path).value(), before);

  open();
  SetValue(TerminatorNumber, 'C');
  static_cast<QDialog*>(dialog.get())->reject();  // Escape and the close box
  EXPECT_EQ(GetValue(TerminatorNumber).flags & PendingMask, ChangedFlag);
}

}  // namespace
}  // namespace ostrin::ui
