// A fresh folder for one test's files, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace ostrin {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ostrin-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return (path_ / name).string(); }

  // Writes the bytes to a file of the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace ostrin
