// The Macros category: the section "Macros" and the receiver-macro keys of "Port 1".."Port 3".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* MacrosProgress;

void LoadMacrosFromDataFile();
SaveResult SaveMacrosToDataFile();

}  // namespace ostrin
