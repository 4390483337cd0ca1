// A full data file for the benchmarks: every key of the eleven categories
// as a save of the default store writes them, plus 200 unknown keys, written
// once into the temporary folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datafile/DataFile.h"
#include "datafile/FileIo.h"
#include "datafile/IniDocument.h"
#include "model/ParameterStore.h"

namespace ostrin {

struct FullDataFile {
  std::string path;
  std::vector<IniDocument::Entry> entries;

  FullDataFile() {
    const auto folder = std::filesystem::temp_directory_path() / "ostrin-bench";
    std::filesystem::create_directories(folder);
    path = (folder / "full.ini").string();
    std::filesystem::remove(path);
    ResetStore();
    IniDocument document = SaveAllToDocument();
    for (int i = 0; i < 200; ++i) {
      document.Write("Site Notes " + std::to_string(i / 20), "Note" + std::to_string(i), "kept as it is");
    }
    entries = document.Entries();
    SetDataFileSync(false);
    WriteFileAtomically(path, document.Serialise());
  }
};

inline const FullDataFile& fullFile() {
  static const FullDataFile file;
  return file;
}

}  // namespace ostrin
