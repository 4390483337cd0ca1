#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "datafile/DataFileName.h"
#include "link/SerialLink.h"
#include "protocol/CommsWorker.h"
#include "protocol/FakeController.h"
#include "protocol/FrontEndRecorder.h"

namespace ostrin {
namespace {

using test::Box;
using test::FakeController;

const Box UploadFailed{"Parameter Upload has failed", ""};
const Box DownloadFailed{"Parameter Download has failed", ""};

int IndexInTransferOrder(ParameterNumber n) {
  const auto order = TransferOrder();
  return static_cast<int>(std::find(order.begin(), order.end(), n) - order.begin());
}

// Every port list holds one code, so that write-all can send them all.
void FillPortLists() {
  CodeList one;
  one.count = 1;
  one.codes[0] = 7;
  for (const int port : {1000, 2000, 3000}) {
    for (int k = PortListOffsetFirst; k <= PortListOffsetLast; ++k) SetPortList(port + k, one);
  }
}

void MakePending(ParameterNumber n) {
  if (KindOfNumber(n) == ParameterKind::PortList) {
    CodeList list;
    list.count = 2;
    list.codes[0] = 11;
    list.codes[1] = 12;
    SetPortList(n, list);
  } else if (KindOfNumber(n) == ParameterKind::Macro) {
    MacroRecord macro = GetMacro(n);
    macro.steps[0] = 42;
    SetMacro(n, macro);
  } else if (KindOfNumber(n) == ParameterKind::DtmfMemory) {
    DtmfMemoryRecord memory = GetDtmfMemory(n);
    memory.count = 1;
    memory.digits[0] = 3;
    SetDtmfMemory(n, memory);
  } else {
    SetValue(n, GetValue(n).current + 1);
  }
}

class TransferJobsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    FakeController::Reset();
    CancelRequested = 0;
    ControllerDataLoaded = false;
  }
  void TearDown() override { CancelRequested = 0; }

  test::FrontEndRecorder frontEnd;
};

TEST(TransferOrderTest, WalksEveryRecordOnceInItsSections) {
  struct Case {
    int index;
    ParameterNumber read;     // read-all and write-all
    ParameterNumber changed;  // write-changed
  };
  const Case cases[] = {
      {0, 0, 0},          {192, 192, 192},    {193, 193, 1000},   {194, 194, 2000},   {195, 195, 3000},
      {196, 196, 1001},   {282, 282, 3029},   {384, 404, 3063},   {385, 405, 193},    {453, 473, 261},
      {454, 1000, 262},   {456, 3000, 264},   {565, 1037, 373},   {566, 2037, 394},   {645, 3063, 473},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TransferOrder()[static_cast<std::size_t>(c.index)], c.read) << c.index;
    EXPECT_EQ(WriteChangedOrder()[static_cast<std::size_t>(c.index)], c.changed) << c.index;
  }
  const std::set<ParameterNumber> read(TransferOrder().begin(), TransferOrder().end());
  const std::set<ParameterNumber> changed(WriteChangedOrder().begin(), WriteChangedOrder().end());
  EXPECT_EQ(read.size(), static_cast<std::size_t>(TransferCount));
  EXPECT_EQ(read, changed);
  EXPECT_TRUE(std::all_of(read.begin(), read.end(), HasParameterRecord));
}

TEST(ProgressPercentTest, IsTheWholePartOfTheShare) {
  const struct {
    int counter, total, percent;
  } cases[] = {{0, 646, 0}, {215, 646, 33}, {645, 646, 99}, {646, 646, 100}, {1, 3, 33}, {2, 3, 66}, {1, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(ProgressPercent(c.counter, c.total), c.percent) << c.counter << "/" << c.total;
}

TEST_F(TransferJobsTest, ReadAllShowsProgressPerNumberAndPerThreePortNumbers) {
  MakePending(5);
  ASSERT_TRUE(ReadAllJob(FakeController::Exchange));

  EXPECT_EQ(FakeController::asked, std::vector<ParameterNumber>(TransferOrder().begin(), TransferOrder().end()));
  const std::vector<int> progress = frontEnd.Progress();
  ASSERT_EQ(progress.size(), 1u + 454u + 64u);  // the reset, each number before the ports, each k
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress[215], 33);
  EXPECT_EQ(progress[455], 70);  // after 1000, 2000 and 3000: 457 of 646
  EXPECT_EQ(progress.back(), 100);

  EXPECT_EQ(CountPending(), 0);
  EXPECT_EQ(frontEnd.PendingCounts(), std::vector<int>{0});
  EXPECT_EQ(frontEnd.Enables(), 1);
  EXPECT_TRUE(ControllerDataLoaded);
  const std::vector<Box> expected{{"WARNING:\r\nYou have just read in all the Ostrin Parameters.\r\n"
                                   "They will need to be saved to a data file.\r\n"
                                   "These parameters will be lost if not saved to a data file!",
                                   ""}};
  EXPECT_EQ(frontEnd.Messages(), expected);
}

TEST_F(TransferJobsTest, AFailedOrCancelledReadAllEndsAtThatStep) {
  const struct {
    const char* name;
    ParameterNumber failAt;
    ParameterNumber cancelAfter;
    int exchanges;
  } cases[] = {
      {"no reply at 300", 300, -1, IndexInTransferOrder(300) + 1},
      {"cancel between 5 and 6", -1, 5, 6},
  };
  for (const auto& c : cases) {
    SetUp();
    test::FrontEndRecorder recorder;
    MakePending(2);
    FakeController::failAt = c.failAt;
    FakeController::cancelAfter = c.cancelAfter;

    EXPECT_FALSE(ReadAllJob(FakeController::Exchange)) << c.name;
    EXPECT_EQ(static_cast<int>(FakeController::asked.size()), c.exchanges) << c.name;
    EXPECT_EQ(CancelRequested.load(), 1) << c.name;
    EXPECT_TRUE(ControllerDataLoaded) << c.name;
    EXPECT_EQ(recorder.Messages(), std::vector<Box>{UploadFailed}) << c.name;
    EXPECT_EQ(recorder.Enables(), 0) << c.name;
    EXPECT_TRUE(recorder.PendingCounts().empty()) << c.name;
    EXPECT_TRUE(IsPending(2)) << c.name;
  }
}

TEST_F(TransferJobsTest, WriteAllStopsAtAnEmptyVoiceListAndKeepsEveryFlag) {
  FillPortLists();
  SetPortList(2051, CodeList{});
  ClearAllEditedFlags();
  ClearAllChangedFlags();
  MakePending(7);
  MakePending(2050);

  EXPECT_FALSE(WriteAllJob(FakeController::Exchange));
  EXPECT_EQ(FakeController::asked.back(), 1051);  // 2051 is refused before anything is sent
  EXPECT_EQ(static_cast<int>(FakeController::asked.size()), IndexInTransferOrder(2051));
  EXPECT_EQ(frontEnd.Messages(), std::vector<Box>{DownloadFailed});
  EXPECT_EQ(CancelRequested.load(), 1);
  EXPECT_TRUE(IsPending(7));
  EXPECT_TRUE(IsPending(2050));
  EXPECT_FALSE(ControllerDataLoaded);
}

TEST_F(TransferJobsTest, ACompleteWriteAllClearsEveryFlagSilently) {
  FillPortLists();
  MakePending(7);
  ASSERT_TRUE(WriteAllJob(FakeController::Exchange));
  EXPECT_EQ(FakeController::asked.size(), static_cast<std::size_t>(TransferCount));
  EXPECT_EQ(CountPending(), 0);
  EXPECT_EQ(frontEnd.PendingCounts(), std::vector<int>{0});
  EXPECT_TRUE(frontEnd.Messages().empty());
  EXPECT_EQ(frontEnd.Enables(), 0);
  EXPECT_EQ(frontEnd.Progress().back(), 100);
}

TEST_F(TransferJobsTest, WriteChangedWritesThePendingRecordsInItsOrder) {
  const struct {
    const char* name;
    std::vector<ParameterNumber> pending;
    std::vector<ParameterNumber> written;
  } cases[] = {
      {"general, ports by k, then the records", {450, 5, 3010, 1010, 2052, 200}, {5, 1010, 3010, 2052, 200, 450}},
      {"a pending list of port 2 without its initial list", {2052}, {2052}},
      {"an initial list without its pending list", {2049}, {2049}},
  };
  for (const auto& c : cases) {
    SetUp();
    test::FrontEndRecorder recorder;
    for (const ParameterNumber n : c.pending) MakePending(n);
    ASSERT_EQ(CountPending(), static_cast<int>(c.pending.size())) << c.name;

    EXPECT_TRUE(WriteChangedJob(FakeController::Exchange)) << c.name;
    EXPECT_EQ(FakeController::asked, c.written) << c.name;
    EXPECT_EQ(recorder.Progress().size(), c.written.size() + 1) << c.name;
    EXPECT_EQ(recorder.Progress().back(), 100) << c.name;
    EXPECT_EQ(CountPending(), 0) << c.name;
    EXPECT_EQ(recorder.PendingCounts(), std::vector<int>{0}) << c.name;
    EXPECT_TRUE(recorder.Messages().empty()) << c.name;
  }
}

TEST_F(TransferJobsTest, AFailedWriteChangedKeepsEveryFlagAndSaysNothing) {
  for (const ParameterNumber n : {5, 1010, 3010, 200}) MakePending(n);
  FakeController::failAt = 3010;

  EXPECT_FALSE(WriteChangedJob(FakeController::Exchange));
  EXPECT_EQ(FakeController::asked, (std::vector<ParameterNumber>{5, 1010, 3010}));
  EXPECT_EQ(frontEnd.Progress(), (std::vector<int>{0, 25, 50}));
  EXPECT_EQ(CountPending(), 4);
  EXPECT_EQ(CancelRequested.load(), 1);
  EXPECT_TRUE(frontEnd.Messages().empty());
  EXPECT_TRUE(frontEnd.PendingCounts().empty());
}

TEST_F(TransferJobsTest, CommitSendsTheCommitRequestOnly) {
  MakePending(5);
  EXPECT_TRUE(CommitJob(FakeController::Exchange));
  ASSERT_EQ(FakeController::requests.size(), 1u);
  EXPECT_EQ(FakeController::requests[0], (std::vector<std::uint8_t>{3, 0xFF, 0xFF, 0, 0}));
  EXPECT_TRUE(IsPending(5));
  EXPECT_TRUE(frontEnd.Messages().empty());
  EXPECT_NE(frontEnd.Status().find("Write Par65535:["), std::string::npos);
}

}  // namespace
}  // namespace ostrin
