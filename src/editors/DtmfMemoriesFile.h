// The DTMF memories category: the section "DTMF_Memories", with one key
// "DTMF_Memory1".."DTMF_Memory40" per memory (434..473) holding its digits, or
// "NONE STORED" for an empty memory, and the DTMF duration (190) and delay
// (191) in "General"; with the conversions between a memory and that text,
// which the dialog's lines use as well.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "editors/CategoryKeys.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr int DtmfMemoryCount = 40;
inline constexpr std::string_view EmptyDtmfMemoryText = "NONE STORED";
// The dialog keeps typed timings within 0..DtmfTimingLimit ms; the file's values load unclamped.
inline constexpr std::int32_t DtmfTimingLimit = 255;

// "DTMF_Memory1".."DTMF_Memory40".
std::string DtmfMemoryKey(int memory);
// "DTMF Duration" and "DTMF Delay" of "General", in load and save order.
std::span<const NumberKey> DtmfTimingKeys();

// The memory a text stands for: empty (count 0, every digit 0) for exactly
// "NONE STORED", else the DTMF digits of the text (at most 10), the digits
// past the count 0. Never fails: a text without a digit is empty.
DtmfMemoryRecord DtmfMemoryFromText(std::string_view text);
// The digits of a memory, each followed by a space, or "NONE STORED" when it
// holds none. Only the first 10 digits exist, so a larger count shows 10.
std::string DtmfMemoryText(const DtmfMemoryRecord& record);

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* DtmfMemoriesProgress;

// Reads the 40 memories and both timings (missing keys take their defaults).
void LoadDtmfMemoriesFromDataFile();
// Writes them; the result says whether the file could be written.
SaveResult SaveDtmfMemoriesToDataFile();

}  // namespace ostrin
