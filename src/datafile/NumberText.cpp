#include "datafile/NumberText.h"

#include "speech/CodeText.h"

namespace ostrin {

std::int32_t LeadingNumber(std::string_view text) { return LeadingDecimal(text); }

std::string DecimalText(std::int32_t value) { return std::to_string(value); }

std::int32_t FirstCharIsOne(std::string_view text) { return !text.empty() && text.front() == '1' ? 1 : 0; }

}  // namespace ostrin
