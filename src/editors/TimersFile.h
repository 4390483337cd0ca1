// The Timers category of the data file: the timer keys of the sections
// "Port 1".."Port 3" and "General".
#pragma once

#include <array>
#include <span>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "editors/CategoryKeys.h"

namespace ostrin {

// The "TOT Reset Point" texts, index = value.
inline constexpr std::array<const char*, 5> TotResetPointTexts{
    "After COS", "After CT Seg 1", "After CT Seg 2", "After CT Seg 3", "After CT Seg 4"};
// The "Tail Msg #" texts, index = value (0 = none).
inline constexpr std::array<const char*, 4> TailMessageNumberTexts{"NONE", "1", "2", "3"};

// The keys of one port section, in load and save order; offsets from 1000 x port.
std::span<const NumberKey> TimersPortKeys();
// The keys of the section "General", in load and save order.
std::span<const NumberKey> TimersGeneralKeys();

// The Timers progress window while its dialog saves; null otherwise.
extern ProgressSink* TimersProgress;

void LoadTimersFromDataFile();
SaveResult SaveTimersToDataFile();

}  // namespace ostrin
