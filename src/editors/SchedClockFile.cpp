#include "editors/SchedClockFile.h"

#include "datafile/Profile.h"
#include "editors/CategoryKeys.h"

namespace ostrin {

ProgressSink* SchedClockProgress = nullptr;

namespace {

constexpr const char* rtcSection = "Real Time Clock";
constexpr std::string_view enabledText = "Enabled";

constexpr std::array<RtcOptionKey, 3> rtcKeys{{
    {"RTC Year Readback", RtcSayYearBit},
    {"RTC 24 Hour Readback", Rtc24HourBit},
    {"RTC Hours Readback", RtcSayHoursBit},
}};

constexpr std::array<SetpointKey, 6> setpointKeys{{
    {"Dow", "0", &SetpointRecord::dayOfWeek},
    {"Moy", "0", &SetpointRecord::monthOfYear},
    {"Hours", "99", &SetpointRecord::hours},
    {"Minutes", "30", &SetpointRecord::minutes},
    {"Macro", "0", &SetpointRecord::macro},
    {"Enabled", "0", &SetpointRecord::enabled},
}};

// Day code of each DayOfWeekTexts entry.
constexpr std::array<std::int32_t, 10> dayCodes{7, 1, 2, 3, 4, 5, 6, 8, 9, 0};

void loadRtcOptions() {
  std::int32_t options = 0;
  for (const RtcOptionKey& row : rtcKeys) {
    if (ReadProfileText(rtcSection, row.key, "Disabled").starts_with(enabledText)) options |= row.bit;
  }
  SetValue(RtcOptionsNumber, options);
}

void saveRtcOptions() {
  const std::int32_t options = GetValue(RtcOptionsNumber).current;
  for (const RtcOptionKey& row : rtcKeys) {
    WriteProfileText(rtcSection, row.key, (options & row.bit) != 0 ? "Enabled" : "Disabled");
  }
}

void loadSetpoint(int setpoint) {
  const std::string section = SetpointSection(setpoint);
  SetpointRecord record;
  for (const SetpointKey& row : setpointKeys) record.*row.field = ReadNumber(section, row.key, row.defaultText);
  SetSetpoint(FirstSetpoint + setpoint - 1, record);
}

void saveSetpoint(int setpoint) {
  const std::string section = SetpointSection(setpoint);
  const SetpointRecord record = GetSetpoint(FirstSetpoint + setpoint - 1);
  for (const SetpointKey& row : setpointKeys) WriteNumber(section, row.key, record.*row.field);
}

}  // namespace

std::span<const RtcOptionKey> RtcOptionKeys() { return rtcKeys; }
std::span<const SetpointKey> SetpointKeys() { return setpointKeys; }

std::string SetpointSection(int setpoint) { return NumberedName("Scheduler SetPoint", setpoint); }

std::int32_t DayCodeOfDayIndex(int index) {
  if (index < 0 || index >= static_cast<int>(dayCodes.size())) return 0;
  return dayCodes[static_cast<std::size_t>(index)];
}

int DayIndexOfDayCode(std::int32_t code) {
  for (std::size_t i = 0; i < dayCodes.size(); ++i) {
    if (dayCodes[i] == code) return static_cast<int>(i);
  }
  return -1;
}

void LoadSchedClockFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  loadRtcOptions();
  for (int setpoint = 1; setpoint <= SetpointCount; ++setpoint) loadSetpoint(setpoint);
}

SaveResult SaveSchedClockToDataFile() {
  ProfileSession session;
  StepProgress(SchedClockProgress, 0);
  saveRtcOptions();
  for (int setpoint = 1; setpoint <= SetpointCount; ++setpoint) {
    StepProgress(SchedClockProgress, 2 * setpoint);
    saveSetpoint(setpoint);
  }
  StepProgress(SchedClockProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
