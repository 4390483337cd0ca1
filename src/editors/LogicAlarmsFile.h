// The Logic alarms category: the sections "Logic Alarm 1".."Logic Alarm 5".
#pragma once

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

namespace ostrin {

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* LogicAlarmsProgress;

void LoadLogicAlarmsFromDataFile();
SaveResult SaveLogicAlarmsToDataFile();

}  // namespace ostrin
