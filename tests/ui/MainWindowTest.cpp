#include "ui/COstrin_CFGDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

QSettings portSettings() { return QSettings(QString::fromLatin1(PortSettingsOrganisation), QString()); }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    portSettings().clear();
    SetCurrentDataFileName(std::string(NotYetDefined));
  }
  template <typename Widget>
  static Widget* control(const QWidget& window, int id) {
    auto* widget = FindControlAs<Widget>(&window, id);
    EXPECT_NE(widget, nullptr) << id;
    return widget;
  }
  static void click(const QWidget& window, int id) { control<QPushButton>(window, id)->click(); }

  ScriptedPrompts prompts;
  TempFolder folder;
};

TEST_F(MainWindowTest, StartsWithItsCaptionsCountsAndDisabledCategories) {
  SetValue(5, 1);  // the window starts from an empty store
  COstrin_CFGDlg window({}, QString());
  EXPECT_EQ(window.windowTitle(), "Ostrin Configuration Tool v1.1.17 by Zelquin");
  EXPECT_EQ(control<QLineEdit>(window, MainId::PendingCount)->text(), "0");
  EXPECT_EQ(control<QLineEdit>(window, MainId::DataFileName)->text(), "<Not Yet Defined>");
  EXPECT_EQ(control<QLineEdit>(window, MainId::Percentage)->text(), "0%");
  EXPECT_EQ(window.StatusText(), "Vexil v1.1.17\n");
  EXPECT_EQ(CountPending(), 0);
  for (const CategoryButton& category : CategoryButtons()) {
    auto* b = control<QPushButton>(window, category.id);
    EXPECT_FALSE(b->isEnabled()) << category.caption;
    EXPECT_EQ(b->text(), category.caption);
    EXPECT_EQ(b->accessibleDescription(), QString::number(category.id));
  }
  EXPECT_TRUE(control<QPushButton>(window, MainId::Exit)->isDefault());
  EXPECT_EQ(control<QPushButton>(window, MainId::UploadAll)->text(), "Upload ALL\nFrom Ostrin");
}

TEST_F(MainWindowTest, PreselectsTheRememberedPort) {
  struct Case {
    QVariant remembered;  // invalid: nothing remembered yet
    QStringList ports;
    QString selected;
  };
  const Case cases[] = {
      {QVariant(), {"COM3", "COM1"}, "COM1"},
      {QVariant(), {"COM3", "COM2"}, "COM2"},
      {12, {"COM3", "COM12"}, "COM12"},
      {1, {"COM12", "COM3"}, "COM12"},
      {QString("/dev/ttyUSB1"), {"/dev/ttyS0", "/dev/ttyUSB1"}, "/dev/ttyUSB1"},
  };
  for (const Case& c : cases) {
    portSettings().clear();
    if (c.remembered.isValid()) portSettings().setValue(PortSettingsKey, c.remembered);
    COstrin_CFGDlg window(c.ports, QString());
    EXPECT_EQ(control<QComboBox>(window, MainId::ComPort)->currentText(), c.selected) << c.ports.join(",").toStdString();
  }
  portSettings().clear();
  { COstrin_CFGDlg first({"COM3"}, QString()); }
  EXPECT_EQ(portSettings().value(PortSettingsKey).toInt(), 1);
}

TEST_F(MainWindowTest, ChoosingAPortIsRememberedAndAGivenPortIsPreselected) {
  {
    COstrin_CFGDlg window({"COM3", "COM7"}, QString());
    control<QComboBox>(window, MainId::ComPort)->setCurrentText("COM7");
  }
  EXPECT_EQ(portSettings().value(PortSettingsKey).toInt(), 7);
  COstrin_CFGDlg next({"COM3", "COM7"}, QString());
  EXPECT_EQ(control<QComboBox>(next, MainId::ComPort)->currentText(), "COM7");
  COstrin_CFGDlg given({"COM3", "COM7"}, "/tmp/ostrin-sim-pty");
  EXPECT_EQ(control<QComboBox>(given, MainId::ComPort)->currentText(), "/tmp/ostrin-sim-pty");
}

TEST_F(MainWindowTest, OpenDataFileLoadsAndEnablesTheCategories) {
  const std::string path = folder.Write("site.ini", "[Port 1]\r\nHang_Timer1=42\r\n");
  COstrin_CFGDlg window({}, QString());
  prompts.files = {QString()};
  click(window, MainId::OpenDataFile);
  EXPECT_FALSE(control<QPushButton>(window, 1009)->isEnabled());

  prompts.files = {QString::fromStdString(path)};
  click(window, MainId::OpenDataFile);
  EXPECT_EQ(control<QLineEdit>(window, MainId::DataFileName)->text(), "site.ini");
  EXPECT_EQ(GetValue(1019).current, 42);
  for (const CategoryButton& category : CategoryButtons()) {
    EXPECT_TRUE(control<QPushButton>(window, category.id)->isEnabled()) << category.caption;
  }
  click(window, MainId::ShowFullPath);
  EXPECT_EQ(prompts.messages.last().toStdString(), path);
}

TEST_F(MainWindowTest, SaveDataFileWritesAndReportsTheFileInUse) {
  COstrin_CFGDlg window({}, QString());
  click(window, MainId::ShowFullPath);
  EXPECT_EQ(prompts.messages.last(), "<Not Yet Defined>");
  const std::string path = folder.Path("saved.ini");
  prompts.files = {QString::fromStdString(path)};
  click(window, MainId::SaveDataFile);
  EXPECT_EQ(prompts.messages.last(), "INFORMATION: Data File in use is now saved.ini");
  EXPECT_NE(ReadWholeFile(path).value().find("Hang_Timer1=0"), std::string::npos);
  EXPECT_EQ(control<QLineEdit>(window, MainId::DataFileName)->text(), "saved.ini");
  EXPECT_TRUE(window.isEnabled());
}

TEST_F(MainWindowTest, AnUnwritableSaveShowsItsReasonAndKeepsTheFileInUse) {
  const std::string good = folder.Write("good.ini", "[Port 1]\r\nHang_Timer1=42\r\n");
  COstrin_CFGDlg window({}, QString());
  prompts.files = {QString::fromStdString(good), QString::fromStdString(folder.Path("missing/x.ini"))};
  click(window, MainId::OpenDataFile);
  click(window, MainId::SaveDataFile);
  ASSERT_FALSE(prompts.messages.isEmpty());
  EXPECT_TRUE(prompts.messages.last().startsWith("ERROR: Data File was not saved.")) << prompts.messages.last().toStdString();
  EXPECT_TRUE(prompts.messages.last().contains("x.ini"));
  EXPECT_EQ(control<QLineEdit>(window, MainId::DataFileName)->text(), "good.ini");
  EXPECT_EQ(CurrentDataFileName(), good);
}

TEST_F(MainWindowTest, EraseStatusWindowClearsTheLogAndProgressOnly) {
  COstrin_CFGDlg window({}, QString());
  window.AppendStatus("Read Par16:[Cmd:2,N:16 V:0] OK\r\n");
  window.SetTransferProgress(33);
  window.SetPendingCount(4);
  EXPECT_EQ(window.StatusText(), "Vexil v1.1.17\nRead Par16:[Cmd:2,N:16 V:0] OK\n");
  EXPECT_EQ(control<QProgressBar>(window, MainId::ProgressBar)->value(), 33);
  click(window, MainId::EraseStatus);
  EXPECT_EQ(window.StatusText(), "");
  EXPECT_EQ(control<QLineEdit>(window, MainId::Percentage)->text(), "0%");
  EXPECT_EQ(control<QProgressBar>(window, MainId::ProgressBar)->value(), 0);
  EXPECT_EQ(control<QLineEdit>(window, MainId::PendingCount)->text(), "4");
}

}  // namespace
}  // namespace ostrin::ui
