// The data file as a whole: the eleven categories in their load and save
// order, and the main window's Open DATA File and Save DATA File without their
// dialogs and message boxes, which belong to the front end.
#pragma once

#include <span>
#include <string>

#include "datafile/FileIo.h"
#include "datafile/IniDocument.h"
#include "datafile/Progress.h"

namespace ostrin {

struct Category {
  const char* name;
  const char* saveText;  // shown while Save DATA File writes the category
  int position;          // the progress position before it is written
  void (*load)();
  SaveResult (*save)();
};

// The eleven categories in load and save order.
std::span<const Category> Categories();

// Makes the path the current data file and loads every category from it (a
// missing file loads every default), then clears ControllerDataLoaded. The
// store is not reset: only the ChangedFlags of earlier changes survive.
void OpenDataFile(const std::string& path);

// Makes the path the current data file and writes every category into it with
// one atomic write, reporting each category's save text and position. The
// progress window's title and its creation are the caller's. On failure the
// previous current data file is restored and its file is left as it was.
SaveResult SaveDataFile(const std::string& path, ProgressSink* progress);

// Loads every category from the current data file, in one parse.
void LoadAllCategories();

// The data file the store's current values make: every category saved into
// an empty document in memory, nothing written to disk.
IniDocument SaveAllToDocument();

}  // namespace ostrin
