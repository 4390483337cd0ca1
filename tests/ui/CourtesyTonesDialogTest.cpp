#include "editors/CourtesyTonesDialog.h"

#include <gtest/gtest.h>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/CourtesyTonesFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

class CourtesyTonesDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("tones.ini",
                        "[Courtesy_Tone_1]\r\nDelay_To_Segment1=20\r\nTone11=1200\r\n"
                        "[Courtesy_Tone_7]\r\nTone23=777\r\n");
    SetCurrentDataFileName(path);
  }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QPushButton* button(int id) { return FindControlAs<QPushButton>(dialog.get(), id); }
  void open() { dialog = std::make_unique<Courtesy_Tones>(); }
  void chooseTone(int index) {
    auto* list = FindControlAs<QComboBox>(dialog.get(), 1146);
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Courtesy_Tones> dialog;
};

TEST_F(CourtesyTonesDialogTest, OpensOnToneOneWithTheFilesValuesAndDefaults) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Courtesy Tone Pool");
  EXPECT_EQ(dialog->SelectedTone(), 0);
  EXPECT_EQ(FindControlAs<QComboBox>(dialog.get(), 1146)->currentText(), "1");
  // Delays, durations, first and second frequencies of segments 1..4.
  const std::array<int, 16> ids{1147, 1151, 1155, 1159, 1148, 1152, 1156, 1160,
                                1149, 1153, 1157, 1161, 1150, 1154, 1158, 1162};
  const std::array<const char*, 16> texts{"20", "50",  "0", "0", "100",  "100", "0", "0",
                                          "1200", "450", "0", "0", "880", "450", "0", "0"};
  for (std::size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(edit(ids[i])->text(), texts[i]) << ids[i];
  EXPECT_EQ(edit(1158)->accessibleName(), "Segment 3 Tone2 (Hz)");
  EXPECT_EQ(edit(1158)->accessibleDescription(), "1158");
  EXPECT_TRUE(button(1)->isDefault());

  chooseTone(6);
  EXPECT_EQ(edit(1158)->text(), "777");  // parameter 166
}

TEST_F(CourtesyTonesDialogTest, ATakeHappensOnlyWhenAnotherToneIsChosen) {
  open();
  edit(1147)->setText("35x");
  edit(1162)->setText("-4");
  chooseTone(0);
  EXPECT_EQ(GetValue(20).current, 20);
  EXPECT_EQ(edit(1147)->text(), "35x");

  chooseTone(1);
  EXPECT_EQ(dialog->SelectedTone(), 1);
  EXPECT_EQ(GetValue(20).current, 35);
  EXPECT_EQ(GetValue(170).current, -4);
  EXPECT_EQ(GetValue(20).flags & PendingMask, ChangedFlag | EditedFlag);
  EXPECT_EQ(edit(1147)->text(), "500");
  edit(1148)->setText("250");

  button(2)->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(GetValue(20).current, 35);
  EXPECT_EQ(GetValue(20).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(GetValue(61).current, 100);  // tone 2's typed duration was never taken
  EXPECT_EQ(ReadWholeFile(path).value().find("=35"), std::string::npos);

  open();  // the file is the master copy again
  EXPECT_EQ(edit(1147)->text(), "20");
}

TEST_F(CourtesyTonesDialogTest, SaveChangesTakesTheToneShownAndWritesTheWholePool) {
  open();
  chooseTone(6);
  edit(1158)->setText("1500");
  button(1)->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(CourtesyTonesProgress, nullptr);
  EXPECT_EQ(GetValue(166).current, 1500);
  EXPECT_EQ(ReadProfileText("Courtesy_Tone_7", "Tone23", ""), "1500");
  EXPECT_EQ(ReadProfileText("Courtesy_Tone_1", "Delay_To_Segment1", ""), "20");
  EXPECT_EQ(ReadProfileText("Courtesy_Tone_10", "Tone24", ""), "0");
  EXPECT_EQ(ReadProfileText("Courtesy_Tone_10", "Delay_To_Segment2", ""), "50");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

}  // namespace
}  // namespace ostrin::ui
