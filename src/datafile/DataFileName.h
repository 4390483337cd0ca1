// The current data file: the one every category loader and saver uses.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

namespace ostrin {

inline constexpr std::string_view NotYetDefined = "<Not Yet Defined>";

// The full path of the current data file, or "<Not Yet Defined>".
std::string CurrentDataFileName();
void SetCurrentDataFileName(std::string path);
// True once a data file has been chosen.
bool DataFileChosen();
// The file's name without its folder, as the "Data File:" box shows it.
std::string DataFileDisplayName(std::string_view path);

// Set when a read-all from the controller ends; cleared by Open DATA File.
// While it is clear every category dialog reloads its category from the file.
extern std::atomic<bool> ControllerDataLoaded;

}  // namespace ostrin
