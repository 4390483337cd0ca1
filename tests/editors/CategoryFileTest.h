// Shared pieces of the category data-file tests: a fixture that gives each
// test a fresh store and a data file of its own, and a progress recorder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/DataFileName.h"
#include "datafile/FileIo.h"
#include "datafile/IniDocument.h"
#include "datafile/Progress.h"
#include "model/ParameterStore.h"
#include "support/TempFolder.h"

namespace ostrin {

class ProgressPositions final : public ProgressSink {
 public:
  void SetText(std::string_view) override {}
  void SetPos(int position) override { positions.push_back(position); }
  void PeekAndPump() override {}
  std::vector<int> positions;
};

class CategoryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    path_ = folder_.Path("data.ini");
    SetCurrentDataFileName(path_);
  }
  void TearDown() override { SetCurrentDataFileName(std::string(NotYetDefined)); }

  // Makes the data file hold exactly this text.
  void WriteDataFile(const std::string& text) const { folder_.Write("data.ini", text); }

  // The data file as written, parsed.
  IniDocument SavedFile() const { return IniDocument::Parse(ReadWholeFile(path_).value_or("")); }
  std::string Saved(std::string_view section, std::string_view key) const {
    return SavedFile().Read(section, key).value_or("<missing>");
  }

 private:
  TempFolder folder_;
  std::string path_;
};

}  // namespace ostrin
