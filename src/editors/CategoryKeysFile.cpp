#include "editors/CategoryKeys.h"

#include "datafile/NumberText.h"
#include "datafile/Profile.h"

namespace ostrin {

std::string PortSection(int port) { return "Port " + std::to_string(port); }

std::string NumberedName(std::string_view name, int number) {
  return std::string(name) + std::to_string(number);
}

std::int32_t ReadNumber(std::string_view section, std::string_view key, std::string_view defaultText) {
  return LeadingNumber(ReadProfileText(section, key, defaultText));
}

void WriteNumber(std::string_view section, std::string_view key, std::int32_t value) {
  WriteProfileText(section, key, DecimalText(value));
}

namespace {

std::int32_t choiceIndex(std::span<const char* const> choices, std::string_view text) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (text == choices[i]) return static_cast<std::int32_t>(i);
  }
  return 0;
}

std::int32_t parseKeyText(const NumberKey& row, std::string_view text) {
  switch (row.format) {
    case KeyFormat::FirstCharOne: return FirstCharIsOne(text);
    case KeyFormat::Choice: return choiceIndex(row.choices, text);
    case KeyFormat::Decimal: break;
  }
  return LeadingNumber(text);
}

std::string formatKeyValue(const NumberKey& row, std::int32_t value) {
  const bool isChoice = row.format == KeyFormat::Choice && value >= 0 &&
                        static_cast<std::size_t>(value) < row.choices.size();
  return isChoice ? row.choices[static_cast<std::size_t>(value)] : DecimalText(value);
}

}  // namespace

void LoadNumberKey(std::string_view section, int base, const NumberKey& row) {
  SetValue(base + row.offset, parseKeyText(row, ReadProfileText(section, row.key, row.defaultText)));
}

void SaveNumberKey(std::string_view section, int base, const NumberKey& row) {
  WriteProfileText(section, row.key, formatKeyValue(row, GetValue(base + row.offset).current));
}

void LoadNumberKeys(std::string_view section, int base, std::span<const NumberKey> rows) {
  for (const NumberKey& row : rows) LoadNumberKey(section, base, row);
}

void SaveNumberKeys(std::string_view section, int base, std::span<const NumberKey> rows) {
  for (const NumberKey& row : rows) SaveNumberKey(section, base, row);
}

}  // namespace ostrin
