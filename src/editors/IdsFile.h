// The IDs category: in each of "Port 1".."Port 3", the port's six voice IDs
// and two CW IDs (p049..p056, as code numbers), the CW speed and tones
// (p044..p046), the speech-ID and constant-ID switches (p047, p048) and the ID
// extra of each voice ID (p058..p060); with the ID extra choices the dialog shows.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "editors/CategoryKeys.h"
#include "speech/CodeText.h"

namespace ostrin {

// One key holding a port list: offset p049..p056 from 1000 x port.
struct IdListKey {
  const char* key;
  int offset;
  CodeKind kind;
  const char* defaultText;
};
// The list keys, the simple keys and the ID extra keys of a port section: the
// section holds them in this order, and they are loaded and saved in it.
std::span<const IdListKey> IdListKeys();
std::span<const NumberKey> IdNumberKeys();
std::span<const NumberKey> IdExtraKeys();  // written in unsigned decimal

// An ID extra value: a choice index in its low four bits and two specials.
inline constexpr std::int32_t IdExtraChoiceMask = 0x0F;
inline constexpr std::int32_t IdExtraSpecial1Bit = 0x80;  // say if NVM parameters were restored
inline constexpr std::int32_t IdExtraSpecial2Bit = 0x40;  // say NVM parameters status
inline constexpr std::array<const char*, 12> IdExtraChoices{
    "Cancel ID Extras",
    "Say Good M/A/E BEFORE the ID",
    "Say Good M/A/E AFTER the ID",
    "Say the time BEFORE the ID",
    "Say the time AFTER the ID",
    "Say Good M/A/E and the time BEFORE the ID",
    "Say Good M/A/E and the time AFTER the ID",
    "Say Good M/A/E BEFORE the ID and say the time AFTER the ID",
    "Say the time BEFORE the ID and Good M/A/E AFTER the ID",
    "Say the time and Good M/A/E BEFORE the ID",
    "Say the time and Good M/A/E AFTER the ID",
    "Random Rotation of 1 through 10",
};

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* IdsProgress;

// Reads the three ports (missing keys take their defaults) into the store.
void LoadIdsFromDataFile();
// Writes the three ports; the result says whether the file could be written.
SaveResult SaveIdsToDataFile();

}  // namespace ostrin
