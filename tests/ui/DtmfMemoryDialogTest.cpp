#include "editors/DtmfMemoryDialog.h"

#include <gtest/gtest.h>

#include <QListWidget>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/DtmfMemoriesFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TypedText.h"

namespace ostrin::ui {
namespace {

class DtmfMemoryDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    DtmfMemorySubset = 0;
    path = folder.Write("dtmf.ini",
                        "[General]\r\nDTMF Duration=300\r\nDTMF Delay=-3\r\n"
                        "[DTMF_Memories]\r\nDTMF_Memory1=1 2 3 \r\nDTMF_Memory32=A # \r\n");
    SetCurrentDataFileName(path);
  }
  void open() { dialog = std::make_unique<DTMF_Memory>(); }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QListWidget* digits() { return FindControlAs<QListWidget>(dialog.get(), 1321); }
  void click(int id) { FindControlAs<QAbstractButton>(dialog.get(), id)->click(); }
  std::string memoryKey(int m) { return ReadProfileText("DTMF_Memories", DtmfMemoryKey(m), "<missing>"); }
  DtmfMemoryRecord memory(int m) { return GetDtmfMemory(FirstDtmfMemory + m - 1); }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<DTMF_Memory> dialog;
};

TEST_F(DtmfMemoryDialogTest, OpensOnTheGroupShownLastWithTheTimingsLimitedForShow) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "DTMF Memories");
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), 1317)->isChecked());
  EXPECT_EQ(edit(1297)->text(), "1");
  EXPECT_TRUE(edit(1297)->isReadOnly());
  EXPECT_EQ(edit(1307)->text(), "1 2 3 ");
  EXPECT_EQ(edit(1308)->text(), "NONE STORED");
  EXPECT_EQ(GetValue(190).current, 300);  // the file's value is taken as it is
  EXPECT_EQ(edit(1286)->text(), "255");
  EXPECT_EQ(edit(1287)->text(), "255");
  ASSERT_EQ(digits()->count(), 16);
  EXPECT_EQ(digits()->item(0)->text(), "0 ");
  EXPECT_EQ(digits()->item(15)->text(), "# ");
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 1)->isDefault());
}

TEST_F(DtmfMemoryDialogTest, AGroupSwitchKeepsTheLinesAndTimingsAndIsRememberedForTheNextOpening) {
  struct Case {
    const char* typed;
    int count;
    std::array<std::int32_t, 3> first;
  };
  const Case cases[] = {
      {"5 5 5 1 2 1 2", 7, {5, 5, 5}},
      {"5551212", 1, {5, 0, 0}},
      {"a b * #", 4, {10, 11, 14}},
      {"1 2 3 4 5 6 7 8 9 0 1 2", 10, {1, 2, 3}},
      {"NONE STORED", 0, {0, 0, 0}},
      {"", 0, {0, 0, 0}},
  };
  open();
  for (std::size_t i = 0; i < std::size(cases); ++i) edit(1307 + static_cast<int>(i))->setText(cases[i].typed);
  edit(1286)->setText("abc");
  edit(1287)->setText("-5");
  click(1320);
  EXPECT_EQ(DtmfMemorySubset, 3);
  EXPECT_EQ(edit(1297)->text(), "31");
  EXPECT_EQ(edit(1308)->text(), "A # ");
  EXPECT_EQ(edit(1286)->text(), "0");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const DtmfMemoryRecord stored = memory(1 + static_cast<int>(i));
    EXPECT_EQ(stored.count, cases[i].count) << cases[i].typed;
    for (std::size_t d = 0; d < 3; ++d) EXPECT_EQ(stored.digits[d], cases[i].first[d]) << cases[i].typed;
  }
  EXPECT_EQ(GetValue(190).current, 0);
  EXPECT_EQ(GetValue(191).current, 0);

  click(1317);
  EXPECT_EQ(edit(1309)->text(), "A B * # ");

  click(1319);
  dialog.reset();
  open();
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), 1319)->isChecked());
  EXPECT_EQ(edit(1297)->text(), "21");
}

TEST_F(DtmfMemoryDialogTest, SaveKeepsTheGroupShownClampsTheTimingsAndWritesEveryMemory) {
  DtmfMemorySubset = 3;
  open();
  edit(1307)->setText(QString(70, QLatin1Char('9')).replace(61, 2, QStringLiteral(" 4")));  // 63rd character is the 4
  edit(1287)->setText("300");
  click(1);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(DtmfMemoriesProgress, nullptr);
  EXPECT_EQ(memoryKey(31), "9 4");  // the file reader trims the line end
  EXPECT_EQ(memoryKey(32), "A #");
  EXPECT_EQ(memoryKey(1), "1 2 3");
  EXPECT_EQ(memoryKey(40), "NONE STORED");
  EXPECT_EQ(ReadProfileText("General", "DTMF Duration", ""), "255");  // shown as 255, taken as 255
  EXPECT_EQ(ReadProfileText("General", "DTMF Delay", ""), "255");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(DtmfMemoryDialogTest, CancelClearsTheEditedFlagsKeepsTheStoreAndLeavesTheFile) {
  const std::string before = ReadWholeFile(path).value();
  open();
  edit(1307)->setText("7 7");
  click(1318);
  click(2);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(memory(1).count, 2);
  EXPECT_EQ(memory(1).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(GetValue(190).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadWholeFile(path).value(), before);
}

TEST_F(DtmfMemoryDialogTest, ADoubleClickedDigitGoesToTheCursorOfTheLineLastEdited) {
  open();
  QLineEdit* line = edit(1309);
  line->clear();
  TypeInto(line, "1 2");
  line->setCursorPosition(1);
  digits()->setCurrentRow(14);  // selecting inserts nothing
  EXPECT_EQ(line->text(), "1 2");
  emit digits()->itemDoubleClicked(digits()->item(14));
  EXPECT_EQ(line->text(), "1 * 2");
  emit digits()->itemDoubleClicked(digits()->item(15));
  EXPECT_EQ(line->text(), "1 * # 2");
  EXPECT_EQ(edit(1307)->text(), "1 2 3 ");
  click(1);
  EXPECT_EQ(memoryKey(3), "1 * # 2");
}

}  // namespace
}  // namespace ostrin::ui
