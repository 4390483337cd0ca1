// The DTMF memories category: "DTMF_Memories" and the DTMF timing keys of "General".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* DtmfMemoriesProgress;

void LoadDtmfMemoriesFromDataFile();
SaveResult SaveDtmfMemoriesToDataFile();

}  // namespace ostrin
