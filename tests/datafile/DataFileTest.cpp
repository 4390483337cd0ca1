#include "datafile/DataFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "datafile/DataFileName.h"
#include "datafile/Profile.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

class RecordingProgress final : public ProgressSink {
 public:
  void SetText(std::string_view text) override { events.push_back("text " + std::string(text)); }
  void SetPos(int position) override { events.push_back("pos " + std::to_string(position)); }
  void PeekAndPump() override {}
  std::vector<std::string> events;
};

class DataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    SetCurrentDataFileName(std::string(NotYetDefined));
  }
  TempFolder folder;
};

TEST_F(DataFileTest, MissingKeysReadTheirDefaultAndAFirstWriteCreatesTheFile) {
  const std::string path = folder.Path("new.ini");
  SetCurrentDataFileName(path);
  EXPECT_EQ(ReadProfileText("General", "Timer_Fan_Timer", "10"), "10");
  EXPECT_TRUE(WriteProfileText("General", "Timer_Fan_Timer", "12").ok());
  EXPECT_EQ(ReadWholeFile(path).value(), "[General]\r\nTimer_Fan_Timer=12\r\n");
}

TEST_F(DataFileTest, NothingIsWrittenBeforeADataFileIsChosen) {
  SetCurrentDataFileName(std::string(NotYetDefined));
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path(""));
  EXPECT_EQ(WriteProfileText("General", "K", "1").status, SaveResult::Status::NoDataFile);
  EXPECT_FALSE(std::filesystem::exists(std::string(NotYetDefined)));
  std::filesystem::current_path(previous);
}

TEST_F(DataFileTest, OpenLoadsEveryCategoryAndKeepsChangedFlags) {
  const std::string path = folder.Write("site.ini", "[Port 2]\r\nHang_Timer1=12abc\r\nTimeout_Timer=abc\r\n");
  SetValue(4, 1);  // a change made before the open
  ControllerDataLoaded = true;
  OpenDataFile(path);
  EXPECT_EQ(CurrentDataFileName(), path);
  EXPECT_FALSE(ControllerDataLoaded);
  EXPECT_EQ(GetValue(2019).current, 12);
  EXPECT_EQ(GetValue(2023).current, 0);
  EXPECT_EQ(GetValue(1023).current, 300);
  EXPECT_EQ(GetValue(4).current, 750);
  EXPECT_EQ(GetValue(4).flags & PendingMask, ChangedFlag);
  EXPECT_EQ(CountPending(), 1);
}

TEST_F(DataFileTest, SaveReportsEveryCategoryInOrder) {
  RecordingProgress progress;
  const std::string path = folder.Path("all.ini");
  ASSERT_TRUE(SaveDataFile(path, &progress).ok());
  std::vector<std::string> expected{"text Saving ALL Parameters..."};
  for (const Category& category : Categories()) {
    expected.push_back(std::string("text ") + category.saveText);
    expected.push_back("pos " + std::to_string(category.position));
  }
  expected.push_back("text DONE.....");
  expected.push_back("pos 100");
  EXPECT_EQ(progress.events, expected);
  EXPECT_EQ(CurrentDataFileName(), path);
  EXPECT_EQ(DataFileDisplayName(CurrentDataFileName()), "all.ini");
}

TEST_F(DataFileTest, SaveOntoAnotherFileReplacesOnlyTheToolsKeys) {
  const std::string path =
      folder.Write("other.ini", "[Port 1]\nHang_Timer1=99\nOperator Note=keep\n[Site]\nName=Hill\n");
  ASSERT_TRUE(SaveDataFile(path, nullptr).ok());
  SetCurrentDataFileName(path);
  EXPECT_EQ(ReadProfileText("Port 1", "Hang_Timer1", ""), "0");
  EXPECT_EQ(ReadProfileText("Port 1", "Operator Note", ""), "keep");
  EXPECT_EQ(ReadProfileText("Site", "Name", ""), "Hill");
  EXPECT_EQ(ReadWholeFile(path)->find("\r\n"), std::string::npos);  // keeps its LF line ends
}

// The defaults' one blank "DTMF Pre Access" code reads back empty, so the
// first save from defaults may differ from the next; from then on a save of
// what was loaded gives the same bytes.
TEST_F(DataFileTest, ASaveOfWhatWasLoadedIsByteIdentical) {
  OpenDataFile(folder.Path("missing.ini"));
  std::string previous;
  for (const char* name : {"first.ini", "second.ini", "third.ini"}) {
    const std::string path = folder.Path(name);
    ASSERT_TRUE(SaveDataFile(path, nullptr).ok());
    const std::string bytes = ReadWholeFile(path).value();
    if (std::string(name) == "third.ini") {
      EXPECT_EQ(bytes, previous);
    }
    previous = bytes;
    ResetStore();
    OpenDataFile(path);
  }
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(DataFileTest, AFailedSaveLeavesThePreviousFileAndNameAsTheyWere) {
  const std::string good = folder.Write("good.ini", "[General]\r\nTimer_Fan_Timer=7\r\n");
  SetCurrentDataFileName(good);
  mkdir(folder.Path("a directory.ini").c_str(), 0755);
  const std::string targets[] = {folder.Path("no such folder/x.ini"), folder.Path("a directory.ini")};
  for (const std::string& target : targets) {
    const SaveResult result = SaveDataFile(target, nullptr);
    EXPECT_FALSE(result.ok()) << target;
    EXPECT_NE(result.reason.find(target), std::string::npos) << result.reason;
    EXPECT_EQ(CurrentDataFileName(), good);
  }
  EXPECT_EQ(ReadWholeFile(good).value(), "[General]\r\nTimer_Fan_Timer=7\r\n");
}

TEST_F(DataFileTest, AReadOnlyFileIsNotReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
  const std::string path = folder.Write("locked.ini", "[General]\r\n");
  chmod(path.c_str(), 0444);
  EXPECT_FALSE(SaveDataFile(path, nullptr).ok());
  EXPECT_EQ(ReadWholeFile(path).value(), "[General]\r\n");
}

TEST_F(DataFileTest, ASaveThroughALinkReplacesItsTarget) {
  const std::string target = folder.Write("target.ini", "[Site]\r\nName=Hill\r\n");
  const std::string link = folder.Path("link.ini");
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  ASSERT_TRUE(SaveDataFile(link, nullptr).ok());
  struct stat info {};
  ASSERT_EQ(lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_NE(ReadWholeFile(target)->find("Name=Hill"), std::string::npos);
  EXPECT_NE(ReadWholeFile(target)->find("Hang_Timer1"), std::string::npos);
}

}  // namespace
}  // namespace ostrin
