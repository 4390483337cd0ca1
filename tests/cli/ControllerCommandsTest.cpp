// The controller commands of ostrin-cli against the simulated controller.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "datafile/FileIo.h"
#include "protocol/CommsWorker.h"
#include "protocol/ParameterIo.h"
#include "support/RunProgram.h"
#include "support/SimulatedController.h"
#include "support/SiteFile.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class ControllerCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { siteKeys = test::WriteSiteFile(site); }

  // The arguments are split at blanks (the test's paths have none).
  void StartSim(const std::string& arguments) {
    sim = std::make_unique<SimulatedController>(arguments);
    ASSERT_FALSE(sim->Port().empty()) << "ostrin-sim " << arguments;
  }

  // Runs "ostrin-cli <command> --port <sim> <arguments>" with the given input.
  CliResult Cli(const std::string& command, const std::string& arguments, const std::string& input = "") {
    const std::string in = folder.Write("stdin.txt", input);
    const std::string err = folder.Path("stderr.txt");
    const std::string line = std::string(OSTRIN_BIN_DIR) + "/ostrin-cli " + command + " --port " +
                             Quoted(sim ? sim->Port() : "/nonexistent/port") + " " + arguments + " < " +
                             Quoted(in) + " 2> " + Quoted(err);
    CliResult result;
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadWholeFile(err).value_or("");
    return result;
  }

  std::string Log() const { return ReadWholeFile(log).value_or(""); }
  std::string LogOption() const { return "--log " + Quoted(log); }

  test::SavedKeys StopAndDump() {
    EXPECT_EQ(sim->Stop(), 0);
    return test::FileKeys(dump);
  }

  TempFolder folder;
  const std::string site = folder.Path("site.ini");
  const std::string dump = folder.Path("dump.ini");
  const std::string log = folder.Path("status.log");
  test::SavedKeys siteKeys;
  std::unique_ptr<SimulatedController> sim;
};

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The numbers of the "Write ParN:" lines of a log that end in OK (or in anything, with all).
std::set<ParameterNumber> Written(const std::string& log, bool all = false) {
  std::set<ParameterNumber> numbers;
  std::istringstream lines(log);
  const std::regex write(R"(^Write Par(\d+):.*)");
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!std::regex_match(line, match, write)) continue;
    if (all || line.find(" OK") != std::string::npos) numbers.insert(std::stoi(match[1]));
  }
  return numbers;
}

// The numbers whose write messages differ between two data files.
std::set<ParameterNumber> DifferingParameters(const std::string& a, const std::string& b) {
  std::map<ParameterNumber, std::vector<std::uint8_t>> messages;
  auto messageOf = [](ParameterNumber n) {
    Message m;
    if (!BuildWriteMessage(n, m)) return std::vector<std::uint8_t>{};
    return std::vector<std::uint8_t>(m.data(), m.data() + m.length);
  };
  test::FileKeys(a);
  for (const ParameterNumber n : TransferOrder()) messages[n] = messageOf(n);
  test::FileKeys(b);
  std::set<ParameterNumber> differing;
  for (const ParameterNumber n : TransferOrder()) {
    if (messages[n] != messageOf(n)) differing.insert(n);
  }
  return differing;
}

TEST_F(ControllerCommandsTest, VersionPrintsTheFirmwareOrItsFailure) {
  const struct {
    const char* sim;
    int exitCode;
    std::string out;
    std::string errPart;
  } cases[] = {
      {"", 0, "Ostrin Firmware Version: 1.1.17\n", "Version Query: Resp:[Cmd:101,v:1.1.17] OK\n"},
      {"--firmware 1.2.0", 0, "Ostrin Firmware Version: 1.2.0\n", ""},
      {nullptr, 1, "", "Version Query: COM Port Open  failed.\nFAILURE reading Ostrin Firmware Version\n"},
  };
  for (const auto& c : cases) {
    if (c.sim) {
      StartSim(c.sim);
    } else {
      sim.reset();
    }
    const CliResult result = Cli("version", "");
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
  }
}

TEST_F(ControllerCommandsTest, UploadSavesTheControllersConfiguration) {
  StartSim("--load " + site);
  const std::string out = folder.Path("upload.ini");
  const CliResult result = Cli("upload", "--out " + Quoted(out) + " " + LogOption());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(test::Differences(test::FileKeys(out), siteKeys), "");
  const std::string text = Log();
  EXPECT_EQ(text.find("Version Query: Resp:[Cmd:101,v:1.1.17] OK\r\nRead Par0:[Cmd:2,N:0 V:0] Resp:[Cmd:102,N:0 "), 0u);
  EXPECT_EQ(Count(text, " OK\r\n"), 1 + TransferCount);
  EXPECT_NE(result.err.find("WARNING:\nYou have just read in all the Ostrin Parameters.\n"), std::string::npos);
}

TEST_F(ControllerCommandsTest, WhatWasUploadedSyncsWithoutAWrite) {
  StartSim("");  // the factory's blank pre-access code reads back from a data file as no code
  const std::string out = folder.Path("upload.ini");
  ASSERT_EQ(Cli("upload", "--out " + Quoted(out)).exitCode, 0);
  const CliResult synced = Cli("sync", "--in " + Quoted(out) + " " + LogOption());
  EXPECT_EQ(synced.exitCode, 0) << synced.err;
  EXPECT_EQ(synced.out, "");
  EXPECT_NE(synced.err.find("0 parameters differ"), std::string::npos) << synced.err;
  EXPECT_EQ(Count(Log(), "Write Par"), 0);
  EXPECT_EQ(Cli("verify", "--in " + Quoted(out)).exitCode, 0);
}

TEST_F(ControllerCommandsTest, TheGateRefusesAnotherFirmwareUnlessIgnored) {
  StartSim("--firmware 1.2.0 --load " + site);
  const std::string out = folder.Path("upload.ini");
  const CliResult refused = Cli("upload", "--out " + Quoted(out));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("ERROR:\nOstrin Firmware Version: 1.2.0\nDoes not match Expected: 1.1.17!\nABORTING\n"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  const CliResult ignored = Cli("upload", "--ignore-version --out " + Quoted(out) + " " + LogOption());
  EXPECT_EQ(ignored.exitCode, 0) << ignored.err;
  EXPECT_EQ(Log().find("Version Query"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(ControllerCommandsTest, AFailedUploadSavesNothing) {
  StartSim("--drop-rate 1");
  const std::string out = folder.Path("upload.ini");
  const CliResult result = Cli("upload", "--ignore-version --out " + Quoted(out) + " " + LogOption());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("Parameter Upload has failed\n"), std::string::npos) << result.err;
  EXPECT_EQ(Log(), "Read Par0:[Cmd:2,N:0 V:0] No Response\r\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ControllerCommandsTest, DownloadWritesTheFileAfterItsBackup) {
  StartSim("--dump " + dump);
  const std::string backups = folder.Path("backups");
  const CliResult result = Cli("download", "--in " + Quoted(site) + " --backup " + Quoted(backups));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(test::Differences(StopAndDump(), siteKeys), "");

  std::vector<std::filesystem::path> saved;
  for (const auto& entry : std::filesystem::directory_iterator(backups)) saved.push_back(entry.path());
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_TRUE(std::regex_match(saved[0].filename().string(), std::regex(R"(ostrin-backup-\d{8}-\d{6}\.ini)")));
  const test::SavedKeys factory = test::FileKeys(folder.Path("no-such.ini"));
  EXPECT_EQ(test::Differences(test::FileKeys(saved[0].string()), factory), "");
}

TEST_F(ControllerCommandsTest, FileAndUsageErrorsExitWithTwoBeforeAnythingIsSent) {
  StartSim("");
  const std::string missing = Quoted(folder.Path("missing.ini"));
  const struct {
    const char* command;
    std::string arguments;
  } cases[] = {
      {"download", "--in " + missing},
      {"sync", "--in " + missing},
      {"verify", "--in " + missing},
      {"upload", "--out " + Quoted(folder.Path("no/such/folder.ini"))},
      {"download", ""},
      {"commit", "--no-such-option"},
      {"version", "--log " + Quoted(folder.Path("no/such/folder.log"))},
  };
  for (const auto& c : cases) {
    const CliResult result = Cli(c.command, c.arguments + " --trace " + Quoted(folder.Path("trace.txt")));
    EXPECT_EQ(result.exitCode, 2) << c.command << " " << c.arguments << ": " << result.err;
    EXPECT_FALSE(result.err.empty());
  }
  EXPECT_EQ(ReadWholeFile(folder.Path("trace.txt")).value_or("").find("->"), std::string::npos);
}

TEST_F(ControllerCommandsTest, SyncWritesOnlyTheDifferencesAndDryRunNothing) {
  StartSim("--load " + site + " --dump " + dump);
  test::FileKeys(site);
  SetValue(16, 999);
  SetValue(3023, 120);
  SetLogicAlarm(371, 1, 5, 6);
  const std::string changed = folder.Path("changed.ini");
  SaveDataFile(changed, nullptr);

  const CliResult dryRun = Cli("sync", "--dry-run --in " + Quoted(changed) + " " + LogOption());
  ASSERT_EQ(dryRun.exitCode, 0) << dryRun.err;
  EXPECT_EQ(Count(dryRun.out, "\n"), 5) << dryRun.out;  // one timer, the three fields of the alarm
  EXPECT_NE(dryRun.out.find("[Port 3] Timeout_Timer: 300 -> 120\n"), std::string::npos) << dryRun.out;
  EXPECT_NE(dryRun.err.find("3 parameters differ"), std::string::npos) << dryRun.err;
  EXPECT_EQ(Count(Log(), "Write Par"), 0);

  const CliResult verifyBefore = Cli("verify", "--in " + Quoted(changed));
  EXPECT_EQ(verifyBefore.exitCode, 1);
  EXPECT_EQ(verifyBefore.out, dryRun.out);

  const CliResult synced = Cli("sync", "--in " + Quoted(changed) + " " + LogOption());
  ASSERT_EQ(synced.exitCode, 0) << synced.err;
  EXPECT_EQ(Written(Log(), true), (std::set<ParameterNumber>{16, 3023, 371}));
  EXPECT_EQ(Cli("verify", "--in " + Quoted(changed)).exitCode, 0);
  EXPECT_EQ(test::Differences(StopAndDump(), test::FileKeys(changed)), "");
}

TEST_F(ControllerCommandsTest, SyncAfterAFailedDownloadWritesExactlyWhatIsMissing) {
  // Refused frames, seeded so that the download gives up part of the way through.
  StartSim("--nak-rate 0.6 --seed 7 --dump " + dump);
  const CliResult failed = Cli("download", "--ignore-version --in " + Quoted(site) + " " + LogOption());
  ASSERT_EQ(failed.exitCode, 1) << "pick another seed: the download went through";
  EXPECT_NE(failed.err.find("Parameter Download has failed\n"), std::string::npos);
  const std::set<ParameterNumber> downloaded = Written(Log());
  ASSERT_EQ(sim->Stop(), 0);
  const std::set<ParameterNumber> missing = DifferingParameters(dump, site);
  ASSERT_FALSE(missing.empty());

  StartSim("--load " + dump + " --dump " + dump);
  const CliResult synced = Cli("sync", "--in " + Quoted(site) + " " + LogOption());
  ASSERT_EQ(synced.exitCode, 0) << synced.err;
  const std::set<ParameterNumber> written = Written(Log(), true);
  EXPECT_EQ(written, missing);
  for (const ParameterNumber n : written) EXPECT_EQ(downloaded.count(n), 0u) << n;
  EXPECT_EQ(test::Differences(StopAndDump(), siteKeys), "");
}

TEST_F(ControllerCommandsTest, CommitAndTheMaintenanceCommandsLogTheirExchanges) {
  StartSim("");
  const struct {
    const char* command;
    std::string input;
    int exitCode;
    std::regex log;
  } cases[] = {
      {"commit", "", 0,
       std::regex(R"(Version Query: Resp:\[Cmd:101,v:1\.1\.17\] OK\r\n)"
                  R"(Write Par65535:\[Cmd:3,N:65535 V:0\] Resp:\[Cmd:103,N:65535 V:0\] OK\r\n)")},
      {"restart", "", 0, std::regex(R"(Reset FW:\[Cmd:4\] Resp:\[Cmd:104\] OK\r\n)")},
      {"set-clock", "", 0, std::regex(R"(Set Clock: Resp:\[Cmd:105[^\]]*\] OK\r\nSet Date: Resp:\[Cmd:107[^\]]*\] OK\r\n)")},
      {"default", "y\nn\n", 1, std::regex("")},
      {"default", "", 1, std::regex("")},
      {"default", "y\ny\n", 0, std::regex(R"(Default All:\[Cmd:27\] Resp:\[Cmd:127\] OK\r\n)")},
      {"erase --yes", "", 0, std::regex(R"(Erase All:\[Cmd:28\] Resp:\[Cmd:128\] OK\r\n)")},
  };
  for (const auto& c : cases) {
    const CliResult result = Cli(c.command, LogOption(), c.input);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.command << ": " << result.err;
    EXPECT_TRUE(std::regex_match(Log(), c.log)) << c.command << ": " << Log();
  }
}

TEST_F(ControllerCommandsTest, DefaultAsksBothQuestionsOnTheTerminal) {
  StartSim("");
  const CliResult result = Cli("default", "", "y\nn\n");
  EXPECT_EQ(result.err,
            "DEFAULT All Parameters:\nRESET ALL Configuration Parameters to Defaults in the Ostrin.\nAre you Sure?\n"
            "OK? [y/N] ERASE All Parameters:\nPress OK.\nThe 3 Yellow CTCSS LEDs will flash while the write is in "
            "progress.\nWait for the three GREEN COS LEDS to start flashing.\nOnce they have stopped flashing, reset "
            "the Ostrin.\nOK? [y/N] ostrin-cli: cancelled: nothing was sent\n");
}

TEST_F(ControllerCommandsTest, TraceRecordsEveryByteWithItsDirection) {
  StartSim("");
  const std::string trace = folder.Path("trace.txt");
  ASSERT_EQ(Cli("version", "--trace " + Quoted(trace)).exitCode, 0);
  const std::string text = ReadWholeFile(trace).value_or("");
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n\d+\.\d{6} -> 10 02 01 10 03 [0-9A-F]{2} [0-9A-F]{2}\n)")))
      << text;
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n\d+\.\d{6} <- 10 06)"))) << text;
}

}  // namespace
}  // namespace ostrin
