// The Analog category: meter faces, reference voltage, temperature sensor and analog alarms.
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* AnalogProgress;

void LoadAnalogFromDataFile();
SaveResult SaveAnalogToDataFile();

}  // namespace ostrin
