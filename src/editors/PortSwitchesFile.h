// The Port switches category: the switch keys of "Port 1".."Port 3" and "General".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* PortSwitchesProgress;

void LoadPortSwitchesFromDataFile();
SaveResult SavePortSwitchesToDataFile();

}  // namespace ostrin
