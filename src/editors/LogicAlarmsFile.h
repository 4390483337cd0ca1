// The Logic alarms category: the sections "Logic Alarm 1".."Logic Alarm 5",
// each holding one logic alarm (369..373) as three decimal keys.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr int LogicAlarmCount = 5;

// One key of an alarm's section and the record field it holds.
struct LogicAlarmKey {
  const char* key;
  const char* defaultText;
  std::int32_t LogicAlarmRecord::*field;
};

// The keys of an alarm's section, in load and save order.
std::span<const LogicAlarmKey> LogicAlarmKeys();

// "Logic Alarm 1".."Logic Alarm 5" for alarm 1..5.
std::string LogicAlarmSection(int alarm);

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* LogicAlarmsProgress;

// Reads the five alarms (missing keys take their defaults) into the store.
void LoadLogicAlarmsFromDataFile();
// Writes the five alarms; the result says whether the file could be written.
SaveResult SaveLogicAlarmsToDataFile();

}  // namespace ostrin
