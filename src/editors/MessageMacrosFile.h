// The Message macros category: the section "Message_Macros".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* MessageMacrosProgress;

void LoadMessageMacrosFromDataFile();
SaveResult SaveMessageMacrosToDataFile();

}  // namespace ostrin
