// Whole-file reads and atomic whole-file writes for the data file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrin {

// The result of writing a data file. `ok` is false only when the file could not
// be written; `reason` then says why, in words an operator can act on.
struct SaveResult {
  enum class Status {
    Saved,       // written (or nothing needed writing)
    Deferred,    // an enclosing save writes the file
    NoDataFile,  // no data file has been chosen yet: nothing was written
    Failed,
  };
  Status status = Status::Saved;
  std::string reason;
  bool ok() const { return status != Status::Failed; }
  static SaveResult Failure(std::string why) { return {Status::Failed, std::move(why)}; }
};

// The bytes of a regular file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file with the bytes: a temporary file in the same folder is
// written, flushed, synced and renamed over the target, so the previous file
// stays intact when anything fails. A symbolic link is followed, and an
// existing file keeps its permissions.
SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Whether WriteFileAtomically syncs to disk (on by default; the benchmarks turn it off).
void SetDataFileSync(bool enabled);

}  // namespace ostrin
