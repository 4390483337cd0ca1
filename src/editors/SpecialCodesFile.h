// The Special codes category: the section "Special Codes".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* SpecialCodesProgress;

void LoadSpecialCodesFromDataFile();
SaveResult SaveSpecialCodesToDataFile();

}  // namespace ostrin
