// The Scheduler and real time clock category: "Real Time Clock" and the set point sections.
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* SchedClockProgress;

void LoadSchedClockFromDataFile();
SaveResult SaveSchedClockToDataFile();

}  // namespace ostrin
