#include "editors/AnalogDialog.h"

#include <gtest/gtest.h>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/Profile.h"
#include "editors/AnalogFile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

constexpr const char* fileText =
    "[Meter Face 2]\r\nType=7\r\nActual Low=11\r\n"
    "[Digital Temperature Input Pin]\r\nSetting=19\r\n"
    "[Analog Alarm 3]\r\nAnalog Alarm Type=2\r\nAnalog Alarm Trip=-40\r\n";

class AnalogDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ControllerDataLoaded = false;
    path = folder.Write("analog.ini", fileText);
    SetCurrentDataFileName(path);
  }
  template <typename Widget>
  Widget* control(int id) {
    return FindControlAs<Widget>(dialog.get(), id);
  }
  QLineEdit* edit(int id) { return control<QLineEdit>(id); }
  QComboBox* combo(int id) { return control<QComboBox>(id); }
  void open() { dialog = std::make_unique<Analog>(); }
  void choose(int id, int index) {
    combo(id)->setCurrentIndex(index);
    emit combo(id)->activated(index);
  }
  // Actual low, actual high, meter low, meter high.
  QStringList values() {
    return {edit(1244)->text(), edit(1246)->text(), edit(1245)->text(), edit(1247)->text()};
  }

  ScriptedPrompts prompts;
  TempFolder folder;
  std::string path;
  std::unique_ptr<Analog> dialog;
};

TEST_F(AnalogDialogTest, OpensOnChannelOneAndAlarmOneWithTheFilesValuesAndDefaults) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Analog Inputs");
  EXPECT_TRUE(control<QRadioButton>(1249)->isChecked());
  EXPECT_EQ(combo(1243)->currentText(), "OFF");
  EXPECT_EQ(values(), QStringList({"0", "500", "0", "500"}));
  EXPECT_EQ(edit(1248)->text(), "500");
  EXPECT_TRUE(control<QRadioButton>(1283)->isChecked());
  EXPECT_EQ(combo(1258)->currentText(), "1");
  EXPECT_EQ(combo(1259)->currentText(), "3");  // 19 AND 15
  EXPECT_EQ(combo(1021)->currentText(), "Disabled");
  EXPECT_EQ(combo(1022)->currentText(), "1");
  EXPECT_EQ(combo(1024)->currentText(), "1");
  EXPECT_EQ(edit(1257)->text(), "0");
  EXPECT_FALSE(control<QPushButton>(1285)->isEnabled());
  EXPECT_TRUE(control<QPushButton>(2)->isDefault());
  EXPECT_EQ(edit(1247)->accessibleName(), "Meter High Value:");
  EXPECT_EQ(edit(1247)->accessibleDescription(), "1247");

  control<QRadioButton>(1250)->click();  // "Ch2", a DS18B20 face
  EXPECT_EQ(values(), QStringList({"Not Used", "Not Used", "Not Used", "Not Used"}));
  EXPECT_FALSE(edit(1244)->isEnabled());
  choose(1020, 2);
  EXPECT_EQ(combo(1021)->currentText(), "High");
  EXPECT_EQ(edit(1257)->text(), "-40");
}

TEST_F(AnalogDialogTest, TheMeterTypeDrivesTheBoxesAndTheLm335ButtonWithoutStoring) {
  open();
  edit(1244)->setText("7");
  choose(1243, MeterTypeDegrees);
  EXPECT_TRUE(control<QPushButton>(1285)->isEnabled());
  EXPECT_EQ(values(), QStringList({"0", "500", "0", "500"}));  // the stored face again
  control<QPushButton>(1285)->click();
  EXPECT_EQ(values(), QStringList({"273", "298", "0", "2490"}));
  EXPECT_EQ(GetAnalogRecord(353).meter.type, 0);
  EXPECT_EQ(GetAnalogRecord(353).meter.actualLow, 0);

  choose(1243, MeterTypeDegrees);  // the type already shown: the boxes stay as they are
  EXPECT_EQ(edit(1244)->text(), "273");

  choose(1243, MeterTypeDs18b20);
  EXPECT_FALSE(control<QPushButton>(1285)->isEnabled());
  EXPECT_EQ(values(), QStringList({"Not Used", "Not Used", "Not Used", "Not Used"}));
  for (const int id : {1244, 1246, 1245, 1247}) EXPECT_FALSE(edit(id)->isEnabled()) << id;

  control<QPushButton>(1)->click();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(AnalogProgress, nullptr);
  const MeterRecord face = GetAnalogRecord(353).meter;
  EXPECT_EQ(face.type, MeterTypeDs18b20);
  EXPECT_EQ(face.actualHigh, 0);
  EXPECT_EQ(face.meterHigh, 0);
  EXPECT_EQ(ReadProfileText("Meter Face 1", "Type", ""), "7");
  EXPECT_EQ(ReadProfileText("Meter Face 1", "Actual High", ""), "0");
  EXPECT_EQ(ReadProfileText("Meter Face 2", "Actual Low", ""), "11");
  EXPECT_EQ(ReadProfileText("Digital Temperature Input Pin", "Setting", ""), "3");
  EXPECT_EQ(ReadProfileText("Analog Alarm 8", "Analog Alarm Trip", ""), "0");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(AnalogDialogTest, SwitchesStoreTheChannelAndAlarmShownAndCancelKeepsThemPending) {
  open();
  edit(1246)->setText("999");
  edit(1248)->setText("330");
  choose(1022, 2);  // meter "3"
  choose(1024, 11);  // macro "12"
  edit(1257)->setText("25");
  control<QRadioButton>(1250)->click();

  EXPECT_EQ(dialog->SelectedChannel(), 1);
  EXPECT_EQ(GetAnalogRecord(353).meter.actualHigh, 999);
  EXPECT_EQ(GetValue(18).current, 330);
  const AnalogAlarmRecord alarm = GetAnalogRecord(361).alarm;
  EXPECT_EQ(alarm.alarmNumber, 1);
  EXPECT_EQ(alarm.meter, 2);
  EXPECT_EQ(alarm.macro, 11);
  EXPECT_EQ(alarm.tripValue, 25);
  EXPECT_EQ(combo(1022)->currentText(), "3");  // the same alarm again
  EXPECT_EQ(edit(1257)->text(), "25");

  edit(1257)->setText("60");
  choose(1020, 4);
  EXPECT_EQ(dialog->SelectedAlarm(), 4);
  EXPECT_EQ(GetAnalogRecord(361).alarm.tripValue, 60);
  EXPECT_EQ(edit(1257)->text(), "0");

  control<QPushButton>(2)->click();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(GetAnalogRecord(353).meter.flags & PendingMask, ChangedFlag);
  EXPECT_EQ(GetAnalogRecord(361).alarm.flags & PendingMask, ChangedFlag);
  EXPECT_EQ(GetValue(18).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(ReadWholeFile(path).value(), fileText);

  open();  // the file is the master copy again
  EXPECT_EQ(edit(1246)->text(), "500");
}

TEST_F(AnalogDialogTest, ValuesOutsideTheListsShowNothingSelected) {
  ControllerDataLoaded = true;
  SetValue(186, 7);
  SetValue(187, 9 * 16 + 10);
  SetAnalogAlarm(361, {.alarmNumber = 1, .type = 5, .meter = 8, .macro = 95});
  open();
  for (const int id : {1280, 1281, 1282, 1283}) EXPECT_FALSE(control<QRadioButton>(id)->isChecked()) << id;
  for (const int id : {1258, 1259, 1021, 1022, 1024}) EXPECT_EQ(combo(id)->currentIndex(), -1) << id;

  control<QPushButton>(1)->click();
  EXPECT_EQ(GetValue(186).current, 7);  // no resolution chosen keeps the stored one
  EXPECT_EQ(GetValue(187).current, 0);
  const AnalogAlarmRecord alarm = GetAnalogRecord(361).alarm;
  EXPECT_EQ(alarm.type, -1);
  EXPECT_EQ(alarm.meter, -1);
  EXPECT_EQ(alarm.macro, -1);
}

}  // namespace
}  // namespace ostrin::ui
