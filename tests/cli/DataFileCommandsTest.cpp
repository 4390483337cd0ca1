#include <gtest/gtest.h>

#include "datafile/FileIo.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

class DataFileCommandsTest : public ::testing::Test {
 protected:
  TempFolder folder;
};

TEST_F(DataFileCommandsTest, ResaveIntoTheSameFileKeepsUnknownKeysAndIsStable) {
  const std::string path = folder.Write("site.ini", "[Site]\r\nName=Hill\r\n[Port 1]\r\nHang_Timer1=35\r\n");
  const std::string resave = "resave --in " + Quoted(path) + " --out " + Quoted(path);
  ASSERT_EQ(RunProgram("ostrin-cli", resave).exitCode, 0);
  ASSERT_EQ(RunProgram("ostrin-cli", resave).exitCode, 0);  // the blank default code now reads back empty
  const std::string twice = ReadWholeFile(path).value();
  EXPECT_NE(twice.find("Name=Hill"), std::string::npos);
  EXPECT_NE(twice.find("Hang_Timer1=35"), std::string::npos);
  ASSERT_EQ(RunProgram("ostrin-cli", resave).exitCode, 0);
  EXPECT_EQ(ReadWholeFile(path).value(), twice);
}

TEST_F(DataFileCommandsTest, FileErrorsExitWithTwoAndAReason) {
  const std::string good = folder.Write("good.ini", "[Port 1]\r\nHang_Timer1=35\r\n");
  struct Case {
    std::string arguments;
    std::string reasonPart;
  };
  const Case cases[] = {
      {"resave --in " + Quoted(folder.Path("missing.ini")) + " --out " + Quoted(good), "missing.ini"},
      {"resave --in " + Quoted(good) + " --out " + Quoted(folder.Path("no/such/folder.ini")), "folder.ini"},
      {"diff " + Quoted(good) + " " + Quoted(folder.Path("missing.ini")), "missing.ini"},
      {"resave --in " + Quoted(good), "--out"},
  };
  for (const Case& c : cases) {
    const ProgramResult result = RunProgram("ostrin-cli", c.arguments);
    EXPECT_EQ(result.exitCode, 2) << c.arguments;
    EXPECT_NE(result.output.find(c.reasonPart), std::string::npos) << result.output;
  }
  EXPECT_EQ(ReadWholeFile(good).value(), "[Port 1]\r\nHang_Timer1=35\r\n");
}

TEST_F(DataFileCommandsTest, DiffPrintsEachDifferingKey) {
  const std::string a = folder.Write("a.ini", "[Port 1]\r\nHang_Timer1=35\r\n[Site]\r\nName=A\r\n");
  const std::string b = folder.Write("b.ini", "[port 1]\nHang_Timer1=36\n[General]\nTimer_Fan_Timer=10\n[Site]\nName=B\n");
  const ProgramResult different = RunProgram("ostrin-cli", "diff " + Quoted(a) + " " + Quoted(b));
  EXPECT_EQ(different.exitCode, 1);
  EXPECT_EQ(different.output, "[Port 1] Hang_Timer1: 35 -> 36\n");

  const ProgramResult same = RunProgram("ostrin-cli", "diff " + Quoted(a) + " " + Quoted(a));
  EXPECT_EQ(same.exitCode, 0);
  EXPECT_EQ(same.output, "");
}

}  // namespace
}  // namespace ostrin
