// An INI text held in memory with the semantics of the profile functions:
// section and key names match without regard to (ASCII) case and the first
// match wins; a read trims blanks around the value, removes one pair of
// surrounding double quotes and cuts it to 255 characters; a write replaces an
// existing value in place, appends a missing key at the end of its section and
// a missing section at the end of the text. Every other line (unknown keys and
// sections, comments, anything unparsable) keeps its bytes and its place, and
// every line keeps its own line end; new lines take the text's line end (CRLF
// for a new text).
//
// Any byte sequence parses without failure; what is not a section header or a
// key line is kept as an opaque line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ostrin {

inline constexpr std::size_t ProfileValueLimit = 255;

class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument Parse(std::string_view text);

  // The value of the first matching key of the first matching section that has it,
  // or nothing when the section or key is missing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // Replaces or adds the key. Line breaks in the value are replaced by blanks so
  // that a value can never add lines of its own.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  std::string Serialise() const;
  bool Empty() const { return sections_.empty() && preamble_.empty(); }

  // Every key line of every section, in file order: for comparing two texts.
  struct Entry {
    std::string section;
    std::string key;
    std::string value;  // as Read gives it
  };
  std::vector<Entry> Entries() const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\r\n", "\n" or "" (the last line of a text without a final line end)
    std::size_t keyLength = 0;  // 0 for a line that is not a key line
    std::size_t valueStart = 0;
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;  // lines[0] is the header
    std::unordered_map<std::string, std::size_t> firstKey;  // folded key -> line index
  };

  static std::optional<Line> keyLine(std::string text, std::string eol);
  static std::string valueOf(const Line& line);
  Section& sectionFor(std::string_view name);
  void endLastLine();

  std::string eol_ = "\r\n";
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::vector<std::size_t>> sectionsByName_;  // folded name
};

// ASCII lower case, for names that match without regard to case.
std::string FoldCase(std::string_view text);

}  // namespace ostrin
