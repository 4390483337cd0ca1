#include "protocol/Maintenance.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "link/SerialLink.h"
#include "model/FrontEnd.h"
#include "protocol/CommsWorker.h"
#include "protocol/MessageDecoders.h"
#include "protocol/MessageText.h"
#include "protocol/Messages.h"

namespace ostrin {
namespace {

constexpr int VersionReplyCapacity = 32;
constexpr int ClockReplyCapacity = 32;
constexpr int CommandReplyCapacity = 1024;
constexpr int ReplyPolls = 500;
constexpr std::chrono::milliseconds ReplyPoll{1};

constexpr std::string_view NoCaption = "";
constexpr std::string_view Ok = " OK\r\n";
constexpr std::string_view NoResponse = " No Response\r\n";

struct Confirmation {
  std::string_view text;
  std::string_view caption;
};

constexpr std::array<Confirmation, 2> defaultAllConfirmations{{
    {"RESET ALL Configuration Parameters to Defaults in the Ostrin.\nAre you Sure?", "DEFAULT All Parameters"},
    {"Press OK.\nThe 3 Yellow CTCSS LEDs will flash while the write is in progress.\n"
     "Wait for the three GREEN COS LEDS to start flashing.\n"
     "Once they have stopped flashing, reset the Ostrin.",
     "ERASE All Parameters"},
}};

constexpr std::array<Confirmation, 2> eraseAllConfirmations{{
    {"ERASE ALL NVM Spaces to 0xFF in the Ostrin.\nAre you Sure?", "ERASE All NVM"},
    {"Press OK.\nThe 3 Green COS LEDs and then the 3 Yellow CTCSS LEDs will turn on in sequence while the "
     "erase is in progress.\nWait for all 6 LEDs to go out.",
     "ERASE All NVM"},
}};

void appendStatus(std::string_view text) { CurrentFrontEnd().AppendStatus(text); }

std::string bracketed(const Message& message) { return "[" + MessageText(message.data(), message.length) + "]"; }

std::string versionText(const char* format, int major, int minor, int patch) {
  char text[128];
  std::snprintf(text, sizeof text, format, major, minor, patch, ExpectedFirmwareMajor, ExpectedFirmwareMinor,
                ExpectedFirmwarePatch);
  return text;
}

// One poll of the reply wait: ends early when a frame arrives; the link's
// delivery slot is looked at again after it.
void awaitReplyPoll() { (void)AwaitReceivedFrame(ReplyPoll); }

bool sendAndLog(const Message& message, std::uint8_t expected, int capacity) {
  const bool answered = SendMaintenanceCommand(message.data(), message.length, expected, capacity);
  appendStatus(answered ? Ok : NoResponse);
  return answered;
}

// Restart, default-all and erase-all: one request with its text in the log line.
bool runCommand(std::string_view prefix, const Message& message, CommandCode code) {
  (void)EnsurePortOpen();
  appendStatus(std::string(prefix) + bracketed(message));
  return sendAndLog(message, ReplyCode(code), CommandReplyCapacity);
}

bool confirmed(const std::array<Confirmation, 2>& confirmations) {
  for (const Confirmation& box : confirmations) {
    if (!CurrentFrontEnd().AskOkCancel(box.text, box.caption)) return false;
  }
  return true;
}

}  // namespace

int QueryFirmwareVersion(int& major, int& minor, int& patch) {
  major = minor = patch = 0;
  appendStatus("Version Query:");
  if (EnsurePortOpen() != 0) {
    appendStatus(" COM Port Open  failed.");
    return 0;
  }
  const Message request = QueryVersion();
  std::array<std::uint8_t, VersionReplyCapacity> reply{};
  int count = 0;
  if (RunTransaction(request.data(), request.length, reply.data(), VersionReplyCapacity, count) != 1) {
    appendStatus(NoResponse);
    return 0;
  }
  appendStatus(" Resp:[" + MessageText(reply.data(), count) + "]");
  appendStatus(Ok);
  if (count >= 1 && reply[0] == ReplyCode(CommandCode::QueryVersion)) {
    const FirmwareVersion version = DecodeVersionReply(reply.data(), count);
    major = version.major;
    minor = version.minor;
    patch = version.patch;
  }
  return 1;
}

bool SendMaintenanceCommand(const std::uint8_t* payload, int length, std::uint8_t expected, int capacity) {
  (void)QueueFrame(payload, length);
  awaitReplyPoll();
  std::array<std::uint8_t, CommandReplyCapacity> reply{};
  const int limit = capacity < CommandReplyCapacity ? capacity : CommandReplyCapacity;
  for (int poll = 0; poll < ReplyPolls; ++poll) {
    int count = 0;
    if (!TakeReceivedFrame(reply.data(), limit, count)) {
      awaitReplyPoll();
      continue;
    }
    appendStatus(" Resp:[" + MessageText(reply.data(), count) + "]");
    if (count >= 1 && reply[0] == expected) return true;
  }
  return false;
}

bool FirmwareGate(bool ignoreVersion) {
  if (ignoreVersion) return true;
  if (JobRunning()) return false;
  int major = 0;
  int minor = 0;
  int patch = 0;
  if (QueryFirmwareVersion(major, minor, patch) != 1) {
    CurrentFrontEnd().ShowMessage("ERROR:\r\nCould not read Ostrin Firmware Version\r\nABORTING", NoCaption);
    return false;
  }
  if (major == ExpectedFirmwareMajor && minor == ExpectedFirmwareMinor && patch == ExpectedFirmwarePatch) {
    return true;
  }
  CurrentFrontEnd().ShowMessage(
      versionText("ERROR:\r\nOstrin Firmware Version: %d.%d.%d\r\nDoes not match Expected: %d.%d.%d!\r\nABORTING",
                  major, minor, patch),
      NoCaption);
  return false;
}

bool GetVersionButton() {
  if (JobRunning()) return false;
  int major = 0;
  int minor = 0;
  int patch = 0;
  const bool answered = QueryFirmwareVersion(major, minor, patch) == 1;
  CurrentFrontEnd().ShowMessage(answered ? versionText("Ostrin Firmware Version: %d.%d.%d", major, minor, patch)
                                         : "FAILURE reading Ostrin Firmware Version",
                                NoCaption);
  return answered;
}

bool RestartButton() {
  if (JobRunning()) return false;
  return runCommand("Reset FW:", RestartController(), CommandCode::RestartController);
}

bool SetClockButton() {
  if (JobRunning()) return false;
  (void)EnsurePortOpen();
  appendStatus("Set Clock:");
  const bool time = sendAndLog(SetTime(), ReplyCode(CommandCode::SetTime), ClockReplyCapacity);
  appendStatus("Set Date:");
  const bool date = sendAndLog(SetDate(), ReplyCode(CommandCode::SetDate), ClockReplyCapacity);
  return time && date;
}

bool DefaultAllButton() {
  if (JobRunning() || !confirmed(defaultAllConfirmations)) return false;
  return runCommand("Default All:", DefaultAll(), CommandCode::DefaultAll);
}

bool EraseAllButton() {
  if (JobRunning() || !confirmed(eraseAllConfirmations)) return false;
  return runCommand("Erase All:", EraseAll(), CommandCode::EraseAll);
}

}  // namespace ostrin
