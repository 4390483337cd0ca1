// The Port switches category: the on/off switches of "Port 1".."Port 3" and
// the two general switches of "General", all simple 0/1 values except the
// access mode, which is kept as its text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "editors/CategoryKeys.h"

namespace ostrin {

// The "Access Mode" texts, index = value.
inline constexpr std::array<const char*, 2> AccessModeTexts{"Carrier", "Tone & Carrier"};
inline constexpr int AccessModeOffset = 5;  // b+5 of port b
inline constexpr const char* AccessModeKey = "Access_Mode";
inline constexpr const char* AccessModeDefault = "Carrier";

// The access mode a data-file text selects: 0 for a text beginning with
// "Carrier", 1 for one beginning with the first 13 characters of
// "Tone & Carrier" (case counts); nothing for any other text.
std::optional<std::int32_t> AccessModeFromText(std::string_view text);
// The text of an access mode, or nothing for a value other than 0 and 1.
std::optional<std::string_view> AccessModeText(std::int32_t value);

// The switch keys of one port section after "Access_Mode", in load and save
// order; offsets from 1000 x port.
std::span<const NumberKey> PortSwitchKeys();
// The keys of the section "General", in load and save order.
std::span<const NumberKey> PortSwitchGeneralKeys();

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* PortSwitchesProgress;

// Reads the switches of the three ports and the two general switches (missing
// keys take their defaults) into the store. An "Access_Mode" text that is
// neither form leaves that port's access mode as it was.
void LoadPortSwitchesFromDataFile();
// Writes them; an access mode other than 0 or 1 writes no "Access_Mode" key.
// The result says whether the file could be written.
SaveResult SavePortSwitchesToDataFile();

}  // namespace ostrin
