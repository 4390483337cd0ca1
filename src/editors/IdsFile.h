// The IDs category: the voice and CW IDs and ID settings of "Port 1".."Port 3".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* IdsProgress;

void LoadIdsFromDataFile();
SaveResult SaveIdsToDataFile();

}  // namespace ostrin
