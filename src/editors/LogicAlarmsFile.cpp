#include "editors/LogicAlarmsFile.h"

#include <array>

#include "datafile/Profile.h"
#include "editors/CategoryKeys.h"

namespace ostrin {

ProgressSink* LogicAlarmsProgress = nullptr;

namespace {

constexpr std::array<LogicAlarmKey, 3> alarmKeys{{
    {"Logic Alarm HighToLow", "80", &LogicAlarmRecord::highToLowMacro},
    {"Logic Alarm LowToHigh", "81", &LogicAlarmRecord::lowToHighMacro},
    {"Enabled", "0", &LogicAlarmRecord::enabled},
}};

}  // namespace

std::span<const LogicAlarmKey> LogicAlarmKeys() { return alarmKeys; }

std::string LogicAlarmSection(int alarm) { return NumberedName("Logic Alarm ", alarm); }

void LoadLogicAlarmsFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int alarm = 1; alarm <= LogicAlarmCount; ++alarm) {
    const std::string section = LogicAlarmSection(alarm);
    LogicAlarmRecord record;
    for (const LogicAlarmKey& row : alarmKeys) record.*row.field = ReadNumber(section, row.key, row.defaultText);
    SetLogicAlarm(FirstLogicAlarm + alarm - 1, record.enabled, record.highToLowMacro, record.lowToHighMacro);
  }
}

SaveResult SaveLogicAlarmsToDataFile() {
  ProfileSession session;
  for (int alarm = 1; alarm <= LogicAlarmCount; ++alarm) {
    StepProgress(LogicAlarmsProgress, 20 * (alarm - 1));
    const std::string section = LogicAlarmSection(alarm);
    const LogicAlarmRecord record = GetLogicAlarm(FirstLogicAlarm + alarm - 1);
    for (const LogicAlarmKey& row : alarmKeys) WriteNumber(section, row.key, record.*row.field);
  }
  StepProgress(LogicAlarmsProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
