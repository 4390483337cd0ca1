#include "datafile/DataFileName.h"

#include <mutex>

namespace ostrin {
namespace {
std::mutex nameMutex;
std::string currentName(NotYetDefined);
}  // namespace

std::atomic<bool> ControllerDataLoaded{false};

std::string CurrentDataFileName() {
  std::lock_guard lock(nameMutex);
  return currentName;
}

void SetCurrentDataFileName(std::string path) {
  std::lock_guard lock(nameMutex);
  currentName = std::move(path);
}

bool DataFileChosen() { return CurrentDataFileName() != NotYetDefined; }

std::string DataFileDisplayName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace ostrin
