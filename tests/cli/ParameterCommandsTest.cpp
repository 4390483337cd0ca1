#include <gtest/gtest.h>

#include "support/RunProgram.h"
#include "support/SimulatedController.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

class ParameterCommandsTest : public ::testing::Test {
 protected:
  TempFolder folder;
};

TEST_F(ParameterCommandsTest, WriteThenReadPrintsTheExchanges) {
  SimulatedController sim("");
  ASSERT_FALSE(sim.Port().empty());
  const std::string in = folder.Write("site.ini", "[Port 1]\r\nHang_Timer1=35\r\n");
  const ProgramResult written =
      RunProgram("ostrin-cli", "write --port " + Quoted(sim.Port()) + " --in " + Quoted(in) + " 1019 65535");
  EXPECT_EQ(written.exitCode, 0) << written.output;
  EXPECT_EQ(written.output,
            "Write Par1019:[Cmd:3,N:1019 V:35] Resp:[Cmd:103,N:1019 V:35] OK\n"
            "Write Par65535:[Cmd:3,N:65535 V:0] Resp:[Cmd:103,N:65535 V:0] OK\n");

  const ProgramResult read = RunProgram("ostrin-cli", "read --port " + Quoted(sim.Port()) + " 1019 2");
  EXPECT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output,
            "Read Par1019:[Cmd:2,N:1019 V:0] Resp:[Cmd:102,N:1019 V:35] OK\n"
            "Read Par2:[Cmd:2,N:2 V:0] Resp:[Cmd:102,N:2 V:10] OK\n");
}

TEST_F(ParameterCommandsTest, AFailedExchangeExitsWithOne) {
  SimulatedController sim("--nak-rate 1");
  const ProgramResult result = RunProgram("ostrin-cli", "read --port " + Quoted(sim.Port()) + " 16");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.output, "Read Par16:[Cmd:2,N:16 V:0] No Response\n");
}

TEST_F(ParameterCommandsTest, UsageAndFileErrorsExitWithTwoBeforeAnythingIsSent) {
  SimulatedController sim("");
  const std::string port = Quoted(sim.Port());
  const std::string empty = folder.Write("empty.ini", "");
  const struct {
    std::string arguments;
    std::string reasonPart;
  } cases[] = {
      {"read --port " + port + " 500", "500"},
      {"read --port " + port + " 65535", "65535"},
      {"read --port " + Quoted(folder.Path("no-port")) + " 16", "no-port"},
      {"write --port " + port + " --in " + Quoted(folder.Path("missing.ini")) + " 16", "missing.ini"},
      {"write --port " + port + " --in " + Quoted(empty) + " 374", "374"},
      {"read 16", "--port"},
  };
  for (const auto& c : cases) {
    const ProgramResult result = RunProgram("ostrin-cli", c.arguments);
    EXPECT_EQ(result.exitCode, 2) << c.arguments;
    EXPECT_NE(result.output.find(c.reasonPart), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Par"), std::string::npos) << result.output;
  }
}

TEST_F(ParameterCommandsTest, AnEmptyListIsNotSentAndFails) {
  SimulatedController sim("");
  const std::string in = folder.Write("site.ini", "[Port 1]\r\nInitial_Voice_ID1=\r\n");
  const ProgramResult result =
      RunProgram("ostrin-cli", "write --port " + Quoted(sim.Port()) + " --in " + Quoted(in) + " 1049");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("1049"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Write Par"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace ostrin
