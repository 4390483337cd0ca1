// The Courtesy tones category: the sections "Courtesy_Tone_1".."Courtesy_Tone_10".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* CourtesyTonesProgress;

void LoadCourtesyTonesFromDataFile();
SaveResult SaveCourtesyTonesToDataFile();

}  // namespace ostrin
