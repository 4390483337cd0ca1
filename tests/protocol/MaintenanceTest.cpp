#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/SerialLink.h"
#include "protocol/CommsWorker.h"
#include "protocol/FrontEndRecorder.h"
#include "protocol/LocalClock.h"
#include "protocol/Maintenance.h"
#include "protocol/ScriptedPeer.h"
#include "protocol/TransferButtons.h"

namespace ostrin {
namespace {

using test::Box;
using test::Frame;
using test::ScriptedPeer;

class FixedClock final : public LocalClock {
 public:
  LocalDateTime Now() const override { return {2026, 12, 11, 13, 45, 30}; }
};

// Answers each request code with the frames of its row, and nothing to any other.
test::Script Replies(std::vector<std::pair<int, std::vector<Frame>>> rows) {
  return [rows](const Frame& request) {
    for (const auto& [code, frames] : rows) {
      if (request[0] == code) return frames;
    }
    return std::vector<Frame>{};
  };
}

const Frame Version11717{101, 1, 1, 17};

class MaintenanceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ClosePort();
    LinkOpen = 0;
    ResetLinkState();
    InstallClock(nullptr);
    SetPortName("");
  }

  void Connect(test::Script script) {
    peer = std::make_unique<ScriptedPeer>(std::move(script));
    ASSERT_TRUE(SetPortName(peer->SlavePath()));
  }

  std::vector<int> RequestCodes() const {
    std::vector<int> codes;
    for (const Frame& request : peer->Requests()) codes.push_back(request[0]);
    return codes;
  }

  test::FrontEndRecorder frontEnd;
  std::unique_ptr<ScriptedPeer> peer;
};

TEST_F(MaintenanceTest, TheGatePassesOnlyTheExpectedFirmware) {
  const struct {
    const char* name;
    std::vector<Frame> versionReply;
    bool passes;
    std::string message;
  } cases[] = {
      {"1.1.17", {Version11717}, true, ""},
      {"another version",
       {{101, 1, 2, 3}},
       false,
       "ERROR:\r\nOstrin Firmware Version: 1.2.3\r\nDoes not match Expected: 1.1.17!\r\nABORTING"},
      {"a reply that is no version reply",
       {{102, 1, 1, 17}},
       false,
       "ERROR:\r\nOstrin Firmware Version: 0.0.0\r\nDoes not match Expected: 1.1.17!\r\nABORTING"},
  };
  for (const auto& c : cases) {
    test::FrontEndRecorder recorder;
    Connect(Replies({{1, c.versionReply}}));
    EXPECT_EQ(FirmwareGate(false), c.passes) << c.name;
    EXPECT_EQ(RequestCodes(), std::vector<int>{1}) << c.name;
    const std::vector<Box> expected = c.message.empty() ? std::vector<Box>{} : std::vector<Box>{{c.message, ""}};
    EXPECT_EQ(recorder.Messages(), expected) << c.name;
    TearDown();
  }
}

TEST_F(MaintenanceTest, IgnoreSendsNoQuery) {
  Connect(Replies({{1, {{101, 1, 2, 3}}}}));
  EXPECT_TRUE(FirmwareGate(true));
  EXPECT_TRUE(peer->Requests().empty());
  EXPECT_EQ(frontEnd.Status(), "");
}

TEST_F(MaintenanceTest, WithoutAPortTheVersionCannotBeRead) {
  SetPortName("/nonexistent/ostrin-port");
  EXPECT_FALSE(GetVersionButton());
  EXPECT_EQ(frontEnd.Status(), "Version Query: COM Port Open  failed.");
  EXPECT_EQ(frontEnd.Messages(), (std::vector<Box>{{"FAILURE reading Ostrin Firmware Version", ""}}));

  EXPECT_FALSE(UploadAllButton(false));
  EXPECT_EQ(frontEnd.Messages().back(), (Box{"ERROR:\r\nCould not read Ostrin Firmware Version\r\nABORTING", ""}));
  EXPECT_EQ(ReadAllRequest.load(), 0);
}

TEST_F(MaintenanceTest, GetVersionLogsTheExchangeAndShowsTheVersion) {
  Connect(Replies({{1, {Version11717}}}));
  EXPECT_TRUE(GetVersionButton());
  EXPECT_EQ(frontEnd.Status(), "Version Query: Resp:[Cmd:101,v:1.1.17] OK\r\n");
  EXPECT_EQ(frontEnd.Messages(), (std::vector<Box>{{"Ostrin Firmware Version: 1.1.17", ""}}));
}

TEST_F(MaintenanceTest, EachCommandLogsItsExchange) {
  const FixedClock clock;
  InstallClock(&clock);
  const struct {
    const char* name;
    bool (*button)();
    std::vector<std::pair<int, std::vector<Frame>>> replies;
    bool answered;
    std::string log;
    std::vector<Frame> requests;
  } cases[] = {
      {"restart", RestartButton, {{4, {{104}}}}, true, "Reset FW:[Cmd:4] Resp:[Cmd:104] OK\r\n", {{4}}},
      {"restart after a stray frame",
       RestartButton,
       {{4, {{105}, {104}}}},
       true,
       "Reset FW:[Cmd:4] Resp:[Cmd:105] Resp:[Cmd:104] OK\r\n",
       {{4}}},
      {"restart unanswered", RestartButton, {}, false, "Reset FW:[Cmd:4] No Response\r\n", {{4}}},
      {"set clock",
       SetClockButton,
       {{5, {{105}}}, {7, {{107}}}},
       true,
       "Set Clock: Resp:[Cmd:105] OK\r\nSet Date: Resp:[Cmd:107] OK\r\n",
       {{5, 13, 45, 30}, {7, 11, 12, 0xEA, 0x07}}},
      {"set clock, only the date answered",
       SetClockButton,
       {{7, {{107}}}},
       false,
       "Set Clock: No Response\r\nSet Date: Resp:[Cmd:107] OK\r\n",
       {{5, 13, 45, 30}, {7, 11, 12, 0xEA, 0x07}}},
  };
  for (const auto& c : cases) {
    test::FrontEndRecorder recorder;
    Connect(Replies(c.replies));
    EXPECT_EQ(c.button(), c.answered) << c.name;
    EXPECT_EQ(recorder.Status(), c.log) << c.name;
    EXPECT_EQ(peer->Requests(), c.requests) << c.name;
    EXPECT_TRUE(recorder.Messages().empty()) << c.name;
    TearDown();
    InstallClock(&clock);
  }
}

TEST_F(MaintenanceTest, DefaultAndEraseAskTwiceAndSendOnlyAfterBothOks) {
  const Box defaultFirst{"RESET ALL Configuration Parameters to Defaults in the Ostrin.\nAre you Sure?",
                         "DEFAULT All Parameters"};
  const Box defaultSecond{
      "Press OK.\nThe 3 Yellow CTCSS LEDs will flash while the write is in progress.\n"
      "Wait for the three GREEN COS LEDS to start flashing.\nOnce they have stopped flashing, reset the Ostrin.",
      "ERASE All Parameters"};
  const Box eraseFirst{"ERASE ALL NVM Spaces to 0xFF in the Ostrin.\nAre you Sure?", "ERASE All NVM"};
  const Box eraseSecond{
      "Press OK.\nThe 3 Green COS LEDs and then the 3 Yellow CTCSS LEDs will turn on in sequence while the "
      "erase is in progress.\nWait for all 6 LEDs to go out.",
      "ERASE All NVM"};
  const struct {
    const char* name;
    bool (*button)();
    std::initializer_list<bool> answers;
    std::vector<Box> questions;
    std::string log;
    std::vector<int> sent;
  } cases[] = {
      {"default, Cancel first", DefaultAllButton, {false}, {defaultFirst}, "", {}},
      {"default, Cancel second", DefaultAllButton, {true, false}, {defaultFirst, defaultSecond}, "", {}},
      {"default, both OK",
       DefaultAllButton,
       {true, true},
       {defaultFirst, defaultSecond},
       "Default All:[Cmd:27] Resp:[Cmd:127] OK\r\n",
       {27}},
      {"erase, Cancel second", EraseAllButton, {true, false}, {eraseFirst, eraseSecond}, "", {}},
      {"erase, both OK",
       EraseAllButton,
       {true, true},
       {eraseFirst, eraseSecond},
       "Erase All:[Cmd:28] Resp:[Cmd:128] OK\r\n",
       {28}},
  };
  for (const auto& c : cases) {
    test::FrontEndRecorder recorder;
    recorder.Answer(c.answers);
    Connect(Replies({{27, {{127}}}, {28, {{128}}}}));
    EXPECT_EQ(c.button(), !c.sent.empty()) << c.name;
    EXPECT_EQ(recorder.Questions(), c.questions) << c.name;
    EXPECT_EQ(recorder.Status(), c.log) << c.name;
    EXPECT_EQ(RequestCodes(), c.sent) << c.name;
    TearDown();
  }
}

TEST_F(MaintenanceTest, NothingIsSentWhileAJobRuns) {
  Connect(test::Echo);
  ReadAllRequest = 1;  // raised, not yet taken: no worker runs here
  EXPECT_TRUE(JobRunning());
  EXPECT_FALSE(GetVersionButton());
  EXPECT_FALSE(RestartButton());
  EXPECT_FALSE(FirmwareGate(false));
  EXPECT_FALSE(CommitButton(false));
  EXPECT_TRUE(FirmwareGate(true));
  ReadAllRequest = 0;
  EXPECT_TRUE(peer->Requests().empty());
  EXPECT_EQ(frontEnd.Status(), "");
  EXPECT_TRUE(frontEnd.Messages().empty());
  EXPECT_FALSE(JobRunning());
}

TEST_F(MaintenanceTest, TheTransferButtonsRaiseTheirRequests) {
  const struct {
    const char* name;
    bool (*button)();
    bool pending;
    std::initializer_list<bool> answers;
    std::atomic<int>* raised;
    std::vector<Box> questions;
    std::vector<Box> messages;
  } cases[] = {
      {"upload", [] { return UploadAllButton(true); }, false, {true}, &ReadAllRequest,
       {{"Read All parameters from Ostrin.\nAre you Sure?", "Read All Parameters"}}, {}},
      {"upload cancelled", [] { return UploadAllButton(true); }, false, {false}, nullptr,
       {{"Read All parameters from Ostrin.\nAre you Sure?", "Read All Parameters"}}, {}},
      {"download all", [] { return DownloadButton(true, true); }, false, {true}, &WriteAllRequest,
       {{"Download All parameters to Ostrin.\nAre you Sure?", "Write All Parameters"}}, {}},
      {"download changed", [] { return DownloadButton(true, false); }, true, {}, &WriteChangedRequest, {}, {}},
      {"download with nothing pending", [] { return DownloadButton(true, false); }, false, {}, nullptr, {},
       {{"No Parameters have been changed. No Download.\r\n"
         "Select [X]Yes in Download All Parameters to download all.",
         ""}}},
      {"commit", [] { return CommitButton(true); }, false, {}, &CommitRequest, {}, {}},
  };
  for (const auto& c : cases) {
    test::FrontEndRecorder recorder;
    recorder.Answer(c.answers);
    ResetStore();
    if (c.pending) SetValue(3, 99);
    CancelRequested = 1;
    EXPECT_EQ(c.button(), c.raised != nullptr) << c.name;
    for (std::atomic<int>* request : {&ReadAllRequest, &WriteAllRequest, &WriteChangedRequest, &CommitRequest}) {
      EXPECT_EQ(request->load(), request == c.raised ? 1 : 0) << c.name;
      *request = 0;
    }
    if (c.raised != nullptr) {
      EXPECT_EQ(CancelRequested.load(), 0) << c.name;
    }
    EXPECT_EQ(recorder.Questions(), c.questions) << c.name;
    EXPECT_EQ(recorder.Messages(), c.messages) << c.name;
  }
  CancelRequested = 0;
}

}  // namespace
}  // namespace ostrin
