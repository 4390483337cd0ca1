// MessageText: the one-line rendering of a controller message that the
// communication status log shows, without a line break. Fields that lie beyond
// the end of a short message print as 0, so the text keeps its shape.
#pragma once

#include <cstdint>
#include <string>

namespace ostrin {

std::string MessageText(const std::uint8_t* message, int length);

}  // namespace ostrin
