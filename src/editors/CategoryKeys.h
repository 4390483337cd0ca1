// Building blocks of the category loaders and savers: a table row for a key
// that holds one simple parameter, and the reads and writes of such rows.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/ParameterStore.h"

namespace ostrin {

// How a simple parameter's value is kept as text.
enum class KeyFormat {
  Decimal,        // "%d"; read as the leading decimal number
  FirstCharOne,   // written "%d"; read as 1 when the text begins with "1", else 0
  Choice,         // the value is an index into a list of texts: written as its text,
                  // read by whole-text comparison (no match reads as 0); a value
                  // outside the list is written as "%d"
};

// One key of a section holding the simple parameter base + offset, where base
// is 0 for "General" and 1000 x port for "Port 1".."Port 3".
struct NumberKey {
  const char* key;
  int offset;
  const char* defaultText;
  KeyFormat format = KeyFormat::Decimal;
  std::span<const char* const> choices = {};
};

// The section name of a port: "Port 1", "Port 2", "Port 3" for port 1..3.
std::string PortSection(int port);

// Reads one key and stores it with SetValue under base + offset.
void LoadNumberKey(std::string_view section, int base, const NumberKey& row);
// Writes the current value of base + offset in the row's format.
void SaveNumberKey(std::string_view section, int base, const NumberKey& row);

void LoadNumberKeys(std::string_view section, int base, std::span<const NumberKey> rows);
void SaveNumberKeys(std::string_view section, int base, std::span<const NumberKey> rows);

// The number of a key's text (the leading decimal number).
std::int32_t ReadNumber(std::string_view section, std::string_view key, std::string_view defaultText);
void WriteNumber(std::string_view section, std::string_view key, std::int32_t value);

// A key name followed by a decimal number ("%s%d"), as in "Macro37".
std::string NumberedName(std::string_view name, int number);

}  // namespace ostrin
