#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <deque>
#include <string>

#include "datafile/DataFile.h"
#include "datafile/DataFileName.h"
#include "model/ParameterStore.h"
#include "protocol/CommsWorker.h"
#include "support/SimulatedController.h"
#include "support/SiteFile.h"
#include "support/TempFolder.h"
#include "ui/COstrin_CFGDlg.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

constexpr auto VersionLine = "Version Query: Resp:[Cmd:101,v:1.1.17] OK\n";

class ControllerButtonsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    window.reset();
    sim.reset();
    SetCurrentDataFileName(std::string(NotYetDefined));
  }
  // One window at a time: the window owns the comms worker and the port.
  void open(const std::string& simArguments) {
    window.reset();
    sim = std::make_unique<SimulatedController>(simArguments);
    ASSERT_FALSE(sim->Port().empty());
    window = std::make_unique<COstrin_CFGDlg>(QStringList{}, QString::fromStdString(sim->Port()));
  }
  void click(int id) { FindControlAs<QPushButton>(window.get(), id)->click(); }
  QString text(int id) { return FindControlAs<QLineEdit>(window.get(), id)->text(); }
  // Keeps the GUI running (its timer included) for a while.
  static void pump(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  // Keeps the GUI running until the job has ended and the window has seen it.
  void waitForJob() {
    QElapsedTimer clock;
    clock.start();
    while (JobRunning() && clock.elapsed() < 60000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    pump(50);
  }

  // Opens the data file through the "Open DATA File" button.
  void openDataFile(const std::string& path) {
    prompts.files = {QString::fromStdString(path)};
    click(MainId::OpenDataFile);
  }
  // The status log text appended since it read `before`.
  QString logSince(const QString& before) const { return window->StatusText().mid(before.size()); }
  // Closes the window, stops the simulator and reads back what its memory held (its --dump file).
  test::SavedKeys controllerKeys() {
    window.reset();
    EXPECT_EQ(sim->Stop(), 0);
    return test::FileKeys(dump);
  }

  TempFolder folder;
  const std::string site = folder.Path("site.ini");
  const std::string dump = folder.Path("dump.ini");
  ScriptedPrompts prompts;
  std::unique_ptr<SimulatedController> sim;
  std::unique_ptr<COstrin_CFGDlg> window;
};

TEST_F(ControllerButtonsTest, GetVersionShowsTheControllersVersion) {
  open("");
  click(MainId::GetVersion);
  EXPECT_EQ(prompts.messages.last(), "Ostrin Firmware Version: 1.1.17");
  EXPECT_TRUE(window->StatusText().contains("Version Query: Resp:[Cmd:101,v:1.1.17] OK"));
}

TEST_F(ControllerButtonsTest, UploadAllReadsEverythingAndEnablesTheCategories) {
  open("");
  prompts.answers = {true};
  click(MainId::UploadAll);
  EXPECT_EQ(prompts.questions.last(), "Read All parameters from Ostrin.\nAre you Sure?");
  waitForJob();
  ASSERT_FALSE(prompts.messages.isEmpty());
  EXPECT_TRUE(prompts.messages.last().startsWith("WARNING:\r\nYou have just read in all the Ostrin Parameters."))
      << prompts.messages.last().toStdString();
  EXPECT_TRUE(ControllerDataLoaded);
  EXPECT_EQ(text(MainId::Percentage), "100%");
  EXPECT_EQ(text(MainId::PendingCount), "0");
  EXPECT_TRUE(FindControl(window.get(), 1009)->isEnabled());
  EXPECT_TRUE(FindControl(window.get(), MainId::Download)->isEnabled());
  EXPECT_EQ(GetValue(1023).current, 300);  // a controller default

  click(MainId::Download);  // nothing pending, "Yes" not ticked
  EXPECT_EQ(prompts.messages.last(),
            "No Parameters have been changed. No Download.\r\nSelect [X]Yes in Download All Parameters to download all.");
}

TEST_F(ControllerButtonsTest, TheFirmwareGateRefusesAnotherVersionUnlessIgnored) {
  open("--firmware 1.1.16");
  click(MainId::UploadAll);
  EXPECT_EQ(prompts.messages.last(),
            "ERROR:\r\nOstrin Firmware Version: 1.1.16\r\nDoes not match Expected: 1.1.17!\r\nABORTING");
  EXPECT_TRUE(prompts.questions.isEmpty());
  FindControlAs<QCheckBox>(window.get(), MainId::IgnoreVersion)->setChecked(true);
  prompts.answers = {false};
  click(MainId::UploadAll);
  EXPECT_EQ(prompts.questions.size(), 1);
  EXPECT_FALSE(JobRunning());
}

TEST_F(ControllerButtonsTest, CancelCommsDuringAReadAllFailsTheUpload) {
  open("--reply-delay 5");
  prompts.answers = {true};
  click(MainId::UploadAll);
  pump(300);
  ASSERT_TRUE(JobRunning());
  EXPECT_FALSE(FindControl(window.get(), MainId::Download)->isEnabled());
  click(MainId::CancelComms);
  waitForJob();
  ASSERT_FALSE(prompts.messages.isEmpty());
  EXPECT_EQ(prompts.messages.last(), "Parameter Upload has failed");
  EXPECT_TRUE(FindControl(window.get(), MainId::Download)->isEnabled());
}

TEST_F(ControllerButtonsTest, CommitAndTheMaintenanceButtonsAskLogAndActOnTheController) {
  const test::SavedKeys siteKeys = test::WriteSiteFile(site);
  const test::SavedKeys factoryKeys = test::FileKeys(folder.Path("no-such.ini"));
  ResetStore();
  const std::string erased = folder.Path("erased.ini");
  ASSERT_TRUE(SaveDataFile(erased, nullptr).ok());
  const test::SavedKeys erasedKeys = test::FileKeys(erased);
  ASSERT_NE(test::Differences(siteKeys, factoryKeys), "");
  ASSERT_NE(test::Differences(factoryKeys, erasedKeys), "");

  const QString defaultFirst = "RESET ALL Configuration Parameters to Defaults in the Ostrin.\nAre you Sure?";
  const QString defaultSecond =
      "Press OK.\nThe 3 Yellow CTCSS LEDs will flash while the write is in progress.\n"
      "Wait for the three GREEN COS LEDS to start flashing.\nOnce they have stopped flashing, reset the Ostrin.";
  const QString eraseFirst = "ERASE ALL NVM Spaces to 0xFF in the Ostrin.\nAre you Sure?";
  const QString eraseSecond =
      "Press OK.\nThe 3 Green COS LEDs and then the 3 Yellow CTCSS LEDs will turn on in sequence while the erase "
      "is in progress.\nWait for all 6 LEDs to go out.";
  const struct {
    const char* name;
    int button;
    std::deque<bool> answers;
    QStringList questions;
    QStringList captions;
    QString log;
    const test::SavedKeys* memory;  // the controller's configuration afterwards
  } cases[] = {
      {"commit", MainId::Commit, {}, {}, {},
       QString(VersionLine) + "Write Par65535:[Cmd:3,N:65535 V:0] Resp:[Cmd:103,N:65535 V:0] OK\n", &siteKeys},
      {"restart", MainId::Restart, {}, {}, {}, "Reset FW:[Cmd:4] Resp:[Cmd:104] OK\n", &siteKeys},
      {"set clock", MainId::SetClock, {}, {}, {}, "Set Clock: Resp:[Cmd:105] OK\nSet Date: Resp:[Cmd:107] OK\n",
       &siteKeys},
      {"default", MainId::DefaultAll, {true, true}, {defaultFirst, defaultSecond},
       {"DEFAULT All Parameters", "ERASE All Parameters"}, "Default All:[Cmd:27] Resp:[Cmd:127] OK\n", &factoryKeys},
      {"default, cancelled at the second box", MainId::DefaultAll, {true, false}, {defaultFirst, defaultSecond},
       {"DEFAULT All Parameters", "ERASE All Parameters"}, "", &siteKeys},
      {"erase", MainId::EraseAll, {true, true}, {eraseFirst, eraseSecond}, {"ERASE All NVM", "ERASE All NVM"},
       "Erase All:[Cmd:28] Resp:[Cmd:128] OK\n", &erasedKeys},
      {"erase, cancelled at the first box", MainId::EraseAll, {false}, {eraseFirst}, {"ERASE All NVM"}, "",
       &siteKeys},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    open("--load " + site + " --dump " + dump);
    prompts.messages.clear();
    prompts.questions.clear();
    prompts.captions.clear();
    prompts.answers = c.answers;
    const QString before = window->StatusText();
    click(c.button);
    waitForJob();
    EXPECT_EQ(prompts.questions, c.questions);
    EXPECT_EQ(prompts.captions, c.captions);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
    EXPECT_EQ(logSince(before), c.log);
    EXPECT_EQ(test::Differences(controllerKeys(), *c.memory), "");
  }
}

TEST_F(ControllerButtonsTest, DownloadWithYesTickedWritesEveryParameter) {
  const test::SavedKeys siteKeys = test::WriteSiteFile(site);
  open("--dump " + dump);
  openDataFile(site);
  FindControlAs<QCheckBox>(window.get(), MainId::DownloadAllYes)->setChecked(true);
  const QString before = window->StatusText();
  prompts.answers = {false};
  click(MainId::Download);
  EXPECT_FALSE(JobRunning());
  EXPECT_EQ(logSince(before), VersionLine);  // the gate's query, and nothing after the Cancel

  prompts.answers = {true};
  click(MainId::Download);
  waitForJob();
  EXPECT_EQ(prompts.questions, QStringList(2, "Download All parameters to Ostrin.\nAre you Sure?"));
  EXPECT_EQ(prompts.captions, QStringList(2, "Write All Parameters"));
  EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
  const QString log = logSince(before);
  EXPECT_EQ(log.count("Write Par"), TransferCount);
  EXPECT_EQ(log.count("] OK\n"), 2 + TransferCount);  // two version queries, then every write
  EXPECT_EQ(text(MainId::Percentage), "100%");
  EXPECT_EQ(text(MainId::PendingCount), "0");
  EXPECT_EQ(test::Differences(controllerKeys(), siteKeys), "");
}

TEST_F(ControllerButtonsTest, DownloadWritesOnlyThePendingParameter) {
  const test::SavedKeys siteKeys = test::WriteSiteFile(site);
  open("--load " + site + " --dump " + dump);  // the controller holds what the data file holds
  openDataFile(site);
  ASSERT_EQ(CountPending(), 0);
  SetValue(3023, 120);
  ASSERT_EQ(CountPending(), 1);
  const QString before = window->StatusText();
  click(MainId::Download);
  waitForJob();
  EXPECT_TRUE(prompts.questions.isEmpty());
  EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
  EXPECT_EQ(logSince(before),
            QString(VersionLine) + "Write Par3023:[Cmd:3,N:3023 V:120] Resp:[Cmd:103,N:3023 V:120] OK\n");
  EXPECT_EQ(text(MainId::Percentage), "100%");
  EXPECT_EQ(text(MainId::PendingCount), "0");
  EXPECT_EQ(CountPending(), 0);

  EXPECT_EQ(test::Differences(siteKeys, controllerKeys()), "[Port 3] Timeout_Timer: 300 -> 120\n");
}

}  // namespace
}  // namespace ostrin::ui
