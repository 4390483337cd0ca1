#include "editors/IdsDialog.h"

#include <gtest/gtest.h>

#include <QListWidget>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/IdsFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TypedText.h"

namespace ostrin::ui {
namespace {

class IdsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    SkipFirstChange.fill(true);  // as at program start
    path = folder.Write("ids.ini",
                        "[Port 2]\r\nSpeech_IDs=\r\nID Extra ID 1=197\r\nInitial_Voice_ID1=127 \r\n"
                        "[Port 3]\r\nSpeech_IDs=1abc\r\nCW_Speed=25\r\n");
    SetCurrentDataFileName(path);
  }
  void open() { dialog = std::make_unique<IDs>(); }
  QLineEdit* edit(int id) { return FindControlAs<QLineEdit>(dialog.get(), id); }
  QCheckBox* check(int id) { return FindControlAs<QCheckBox>(dialog.get(), id); }
  QComboBox* combo(int id) { return FindControlAs<QComboBox>(dialog.get(), id); }
  QListWidget* vocabulary() { return FindControlAs<QListWidget>(dialog.get(), 1166); }
  void click(int id) { FindControlAs<QAbstractButton>(dialog.get(), id)->click(); }
  QString counter() { return edit(1167)->text(); }
  VoiceList voice(int number) { return GetPortLists(number).voice[static_cast<std::size_t>(number % 1000 - 49)]; }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<IDs> dialog;
};

TEST_F(IdsDialogTest, FirstOpeningShowsPortOneWithTheDefaultsAndKeepsTheCounterText) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "IDs");
  EXPECT_TRUE(FindControlAs<QRadioButton>(dialog.get(), 1163)->isChecked());
  EXPECT_EQ(edit(1148)->text(), "SILENCE(PAUSE) I O S T R I N ");
  EXPECT_EQ(edit(1168)->text(), "SILENCE(PAUSE) P O S T R I N ");
  EXPECT_EQ(edit(1153)->text(), "O S T R I N ");
  EXPECT_EQ(edit(1155)->text(), "20");
  EXPECT_EQ(edit(1156)->text(), "600");
  EXPECT_TRUE(check(1158)->isChecked());
  EXPECT_FALSE(check(1159)->isChecked());
  EXPECT_EQ(counter(), "...Select ID...");
  ASSERT_EQ(vocabulary()->count(), 256);
  EXPECT_EQ(vocabulary()->item(204)->text(), "THANK YOU");
  EXPECT_EQ(combo(1160)->count(), 12);
  EXPECT_TRUE(FindControlAs<QPushButton>(dialog.get(), 1)->isDefault());
  EXPECT_EQ(edit(1155)->accessibleName(), "CW Speed (WPM)");

  TypeInto(edit(1148), "x");  // no voice word: the count stays 8
  EXPECT_EQ(counter(), "IID1:8");
  TypeInto(edit(1154), " O");
  EXPECT_EQ(counter(), "CWID2:7");

  dialog.reset();
  open();  // the first-change flags are gone now: the show leaves CW ID 2's count
  EXPECT_EQ(counter(), "CWID2:6");
}

TEST_F(IdsDialogTest, PortsShowTheirValuesAndExtrasAndAVoiceIdKeepsItsFirst22Words) {
  open();
  click(1164);
  EXPECT_EQ(dialog->SelectedPort(), 1);
  EXPECT_EQ(edit(1148)->text(), "HIGH ");
  EXPECT_FALSE(check(1158)->isChecked());  // an empty Speech_IDs is 0
  EXPECT_EQ(combo(1160)->currentIndex(), 5);
  EXPECT_TRUE(check(1277)->isChecked());
  EXPECT_TRUE(check(1276)->isChecked());
  EXPECT_FALSE(check(1275)->isChecked());

  QStringList words;
  for (int w = 0; w < 25; ++w) words << "A";
  edit(1151)->setText(words.join(' '));
  EXPECT_EQ(counter(), "PID1:25");
  click(1165);
  EXPECT_TRUE(check(1158)->isChecked());  // "1abc" begins with 1
  EXPECT_EQ(edit(1155)->text(), "25");
  EXPECT_EQ(voice(2052).count, 22);
  click(1164);
  EXPECT_EQ(edit(1151)->text(), QString("A ").repeated(22));

  FindControlAs<QPushButton>(dialog.get(), 1)->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(IdsProgress, nullptr);
  EXPECT_EQ(ReadProfileText("Port 2", "ID Extra ID 1", ""), "197");
  EXPECT_EQ(ReadProfileText("Port 2", "Pending_Voice_ID1", ""), QString("30 ").repeated(22).trimmed().toStdString());
  EXPECT_EQ(ReadProfileText("Port 1", "CW_ID1", ""), "63 73 81 72 43 62");
  EXPECT_EQ(ReadProfileText("Port 3", "CW_Speed", ""), "25");
  EXPECT_EQ(ReadProfileText("Port 3", "Speech_IDs", ""), "1");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(IdsDialogTest, TheChosenPortKeepsItsControlsAndCancelClearsOnlyTheEditedFlags) {
  const std::string before = ReadWholeFile(path).value();
  open();
  edit(1157)->setText("900x");
  combo(1162)->setCurrentIndex(11);
  check(1280)->setChecked(true);
  click(1163);  // the port already shown
  EXPECT_EQ(GetValue(1046).current, 900);
  EXPECT_EQ(GetValue(1060).current, 11 | IdExtraSpecial2Bit);
  edit(1148)->setText("HELLO");
  click(1164);
  EXPECT_EQ(voice(1049).count, 1);

  click(2);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  for (int port = 1; port <= 3; ++port) {
    for (const int offset : {44, 45, 46, 47, 48, 58, 59, 60}) {
      EXPECT_EQ(GetValue(1000 * port + offset).flags & EditedFlag, 0u) << port << " " << offset;
    }
    const PortListBlock lists = GetPortLists(1000 * port);
    for (const std::int32_t edited : lists.voiceEdited) EXPECT_EQ(edited, 0) << port;
    for (const std::int32_t edited : lists.cwEdited) EXPECT_EQ(edited, 0) << port;
  }
  EXPECT_NE(GetPortLists(1000).voiceChanged[0], 0);
  EXPECT_EQ(GetValue(1046).current, 900);
  EXPECT_EQ(GetValue(1046).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadWholeFile(path).value(), before);

  open();  // the file is the master copy again
  EXPECT_EQ(edit(1157)->text(), "0");
}

TEST_F(IdsDialogTest, AnExtraWithoutAListEntryKeepsItsChoice) {
  ControllerDataLoaded = true;
  SetValue(1058, 0x4E);
  open();
  EXPECT_EQ(combo(1160)->currentIndex(), -1);
  EXPECT_TRUE(check(1276)->isChecked());
  check(1277)->setChecked(true);
  click(1164);
  EXPECT_EQ(GetValue(1058).current, 0xCE);
}

TEST_F(IdsDialogTest, ADoubleClickedWordWithASpaceSurvivesAPortSwitch) {
  open();
  QLineEdit* line = edit(1149);
  line->clear();
  TypeInto(line, "HELLO");
  emit vocabulary()->itemDoubleClicked(vocabulary()->item(204));
  EXPECT_EQ(line->text(), "HELLO THANK_YOU ");
  EXPECT_EQ(counter(), "IID2:2");
  click(1164);
  EXPECT_EQ(voice(1050).count, 2);
  EXPECT_EQ(voice(1050).codes[1], 204);
  click(1163);
  EXPECT_EQ(line->text(), "HELLO THANK_YOU ");
}

}  // namespace
}  // namespace ostrin::ui
