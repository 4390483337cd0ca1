// The profile functions every category loader and saver uses, on the current
// data file.
//
// A load or a save runs inside a ProfileSession: the file is parsed once when
// the session starts, every read and write goes to that parsed copy, and
// Commit writes the file once, atomically. A session started while another is
// active on the same thread joins it, so Save DATA File writes the eleven
// categories with one write. Outside any session each call reads (and each
// write rewrites) the whole file, as the platform's own profile functions do.
#pragma once

#include <string>
#include <string_view>

#include "datafile/FileIo.h"
#include "datafile/IniDocument.h"

namespace ostrin {

// The value of the key, or defaultText when the file, the section or the key is missing.
std::string ReadProfileText(std::string_view section, std::string_view key,
                            std::string_view defaultText);
// Writes the value, creating the section or the key as needed. Outside a
// session the file is rewritten at once and the result says whether it could be.
SaveResult WriteProfileText(std::string_view section, std::string_view key, std::string_view value);

class ProfileSession {
 public:
  // On the current data file (or joining the session already active).
  ProfileSession();
  // On a document in memory, which receives the writes and is never saved.
  explicit ProfileSession(IniDocument& document);
  ~ProfileSession();
  ProfileSession(const ProfileSession&) = delete;
  ProfileSession& operator=(const ProfileSession&) = delete;

  // Writes the file once when this is the outermost session and something was
  // written. Deferred for a joined session; NoDataFile while no data file has
  // been chosen (nothing is written then); Failed with the reason otherwise.
  SaveResult Commit();

 private:
  friend std::string ReadProfileText(std::string_view, std::string_view, std::string_view);
  friend SaveResult WriteProfileText(std::string_view, std::string_view, std::string_view);

  ProfileSession* outer_ = nullptr;
  IniDocument ownDocument_;
  IniDocument* document_ = nullptr;
  std::string path_;
  bool inMemory_ = false;
  bool dirty_ = false;
};

}  // namespace ostrin
