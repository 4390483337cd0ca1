// The conversions between data-file or box text and numbers that every
// category uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrin {

// The text's leading signed decimal number: leading white space, an optional
// sign, digits up to the first other character; 0 when there are no digits.
// A number beyond 32 bits is clamped to the 32-bit range. The same rule as
// the speech texts' LeadingDecimal, which it calls.
std::int32_t LeadingNumber(std::string_view text);

// "%d".
std::string DecimalText(std::int32_t value);

// 1 when the text's first character is "1", else 0 (the on/off switches).
std::int32_t FirstCharIsOne(std::string_view text);

}  // namespace ostrin
