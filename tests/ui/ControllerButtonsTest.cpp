#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include "datafile/DataFileName.h"
#include "model/ParameterStore.h"
#include "protocol/CommsWorker.h"
#include "support/SimulatedController.h"
#include "ui/COstrin_CFGDlg.h"
#include "ui/ControlIds.h"
#include "ui/ScriptedPrompts.h"

namespace ostrin::ui {
namespace {

class ControllerButtonsTest : public ::testing::Test {
 protected:
  void open(const std::string& simArguments) {
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

}  // namespace
}  // namespace ostrin::ui
