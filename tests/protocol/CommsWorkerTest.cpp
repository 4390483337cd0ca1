// The comms worker and its bulk transfers against the simulated controller,
// over its pseudo-terminal and the real serial link.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "datafile/DataFileName.h"
#include "link/SerialLink.h"
#include "protocol/CommsWorker.h"
#include "protocol/FrontEndRecorder.h"
#include "support/SimulatedController.h"
#include "support/SiteFile.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

// Waits (bounded, so that a broken worker fails instead of hanging) until the condition holds.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class CommsWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    siteKeys = test::WriteSiteFile(site);
    ResetStore();
    CancelRequested = 0;
  }
  void TearDown() override {
    RequestWorkerStop();
    JoinCommsWorker();
    ClosePort();
    LinkOpen = 0;
    CancelRequested = 0;
    std::array<std::uint8_t, 512> stale{};
    int count = 0;
    TakeReceivedFrame(stale.data(), static_cast<int>(stale.size()), count);
    sim.reset();
  }

  void StartSim(const std::string& arguments) {
    sim = std::make_unique<SimulatedController>(arguments);
    ASSERT_FALSE(sim->Port().empty()) << "ostrin-sim " << arguments;
    ASSERT_TRUE(SetPortName(sim->Port()));
  }

  // Raises the request on the worker and waits until its job has ended.
  void RunOnWorker(std::atomic<int>& request) {
    RaiseRequest(request);
    EXPECT_TRUE(JobRunning());
    ASSERT_TRUE(Eventually([] { return !JobRunning(); }));
  }

  // The configuration the simulator held when it stopped.
  test::SavedKeys StopAndDump() {
    EXPECT_EQ(sim->Stop(), 0);
    return test::FileKeys(dump);
  }

  TempFolder folder;
  const std::string site = folder.Path("site.ini");
  const std::string dump = folder.Path("dump.ini");
  test::SavedKeys siteKeys;
  test::FrontEndRecorder frontEnd;
  std::unique_ptr<SimulatedController> sim;
};

TEST_F(CommsWorkerTest, ReadAllBringsTheControllersConfiguration) {
  StartSim("--load " + site);
  ASSERT_TRUE(StartCommsWorker());
  EXPECT_FALSE(StartCommsWorker());
  RunOnWorker(ReadAllRequest);

  EXPECT_EQ(test::Differences(test::StoreKeys(), siteKeys), "");
  EXPECT_EQ(Count(frontEnd.Status(), " OK\r\n"), TransferCount);
  EXPECT_EQ(frontEnd.Progress().back(), 100);
  EXPECT_EQ(frontEnd.Enables(), 1);
  EXPECT_TRUE(ControllerDataLoaded);
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(CommsWorkerTest, WriteAllLeavesTheControllerHoldingTheFile) {
  StartSim("--dump " + dump);
  OpenDataFile(site);
  ASSERT_TRUE(StartCommsWorker());
  RunOnWorker(WriteAllRequest);
  EXPECT_TRUE(frontEnd.Messages().empty());
  EXPECT_EQ(frontEnd.PendingCounts(), std::vector<int>{0});
  EXPECT_EQ(test::Differences(StopAndDump(), siteKeys), "");
}

TEST_F(CommsWorkerTest, WriteChangedSendsOnlyThePendingRecords) {
  StartSim("--load " + site + " --dump " + dump);
  OpenDataFile(site);
  SetValue(16, 4321);
  SetValue(2019, 9);
  ASSERT_TRUE(StartCommsWorker());
  RunOnWorker(WriteChangedRequest);

  EXPECT_EQ(Count(frontEnd.Status(), "Write Par"), 2);
  EXPECT_EQ(frontEnd.Progress(), (std::vector<int>{0, 50, 100}));
  EXPECT_EQ(CountPending(), 0);
  const test::SavedKeys expected = test::StoreKeys();
  EXPECT_NE(expected, siteKeys);
  EXPECT_EQ(test::Differences(StopAndDump(), expected), "");
}

TEST_F(CommsWorkerTest, RequestsRaisedTogetherRunInTheWorkersOrder) {
  StartSim("");
  RaiseRequest(CommitRequest);
  RaiseRequest(ReadAllRequest);
  ASSERT_TRUE(StartCommsWorker());
  ASSERT_TRUE(Eventually([] { return !JobRunning(); }));
  const std::string log = frontEnd.Status();
  EXPECT_EQ(Count(log, "Read Par"), TransferCount);
  EXPECT_GT(log.find("Write Par65535:["), log.rfind("Read Par3063:["));
}

TEST_F(CommsWorkerTest, TheIdlePortClosesAfterTenSecondsAndReopensForTheNextJob) {
  StartSim("");
  ASSERT_TRUE(StartCommsWorker());
  RunOnWorker(CommitRequest);
  ASSERT_EQ(LinkOpen.load(), 1);

  // Ten seconds of 10 ms ticks without a byte on the line (no ticker runs here).
  for (int tick = 1; tick < IdleResetTicks; ++tick) TickLinkTimers();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(LinkOpen.load(), 1);
  TickLinkTimers();
  ASSERT_TRUE(Eventually([] { return LinkOpen.load() == 0; }));
  EXPECT_EQ(PortHandleCount.load(), 0);

  RunOnWorker(CommitRequest);
  EXPECT_EQ(Count(frontEnd.Status(), "] OK\r\n"), 2);
  EXPECT_EQ(LinkOpen.load(), 1);
}

TEST_F(CommsWorkerTest, StoppingEndsARunningJobAtItsNextStep) {
  StartSim("");
  ASSERT_TRUE(StartCommsWorker());
  RaiseRequest(ReadAllRequest);
  ASSERT_TRUE(Eventually([this] { return frontEnd.Status().find("Read Par20:") != std::string::npos; }));
  RequestWorkerStop();
  JoinCommsWorker();
  EXPECT_TRUE(CommsWorkerStopped());
  EXPECT_FALSE(JobRunning());
  EXPECT_EQ(frontEnd.Messages(), (std::vector<test::Box>{{"Parameter Upload has failed", ""}}));
}

}  // namespace
}  // namespace ostrin
