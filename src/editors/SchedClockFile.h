// The Scheduler and real time clock category: the readback options of the
// real-time clock (parameter 19) in "Real Time Clock" and the 40 set points
// (394..433) in "Scheduler SetPoint1".."Scheduler SetPoint40"; with the texts
// and code tables the dialog's boxes use.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr ParameterNumber RtcOptionsNumber = 19;
inline constexpr std::int32_t RtcSayYearBit = 1;
inline constexpr std::int32_t Rtc24HourBit = 2;
inline constexpr std::int32_t RtcSayHoursBit = 4;
inline constexpr int SetpointCount = 40;

// One readback option of "Real Time Clock": "Enabled" when its bit of 19 is set,
// else "Disabled"; any text beginning with "Enabled" reads as set.
struct RtcOptionKey {
  const char* key;
  std::int32_t bit;
};
std::span<const RtcOptionKey> RtcOptionKeys();

// One key of a set point's section and the record field it holds (decimal).
struct SetpointKey {
  const char* key;
  const char* defaultText;
  std::int32_t SetpointRecord::*field;
};
// The keys of a set point's section, in load and save order.
std::span<const SetpointKey> SetpointKeys();

// "Scheduler SetPoint1".."Scheduler SetPoint40".
std::string SetpointSection(int setpoint);

// --- The dialog's boxes and the codes they stand for ---
inline constexpr std::array<const char*, 10> DayOfWeekTexts{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
    "Friday", "Saturday", "Weekdays", "Weekends", "Everyday"};
inline constexpr std::array<const char*, 13> MonthTexts{
    "EveryMonth", "January", "February", "March",     "April",   "May",     "June",
    "July",       "August",  "September", "October", "November", "December"};
inline constexpr std::array<const char*, 5> OccurrenceTexts{"1st", "2nd", "3rd", "4th", "5th"};
inline constexpr std::array<const char*, 25> StartHourTexts{
    "Every Hour", "12 AM", "1 AM", "2 AM", "3 AM", "4 AM",  "5 AM",  "6 AM", "7 AM",
    "8 AM",       "9 AM",  "10 AM", "11 AM", "12 PM", "1 PM", "2 PM", "3 PM", "4 PM",
    "5 PM",       "6 PM",  "7 PM",  "8 PM",  "9 PM",  "10 PM", "11 PM"};
inline constexpr std::int32_t EveryHourCode = 99;

// The day code of a DayOfWeekTexts index: Sunday 7, Monday..Saturday 1..6,
// Weekdays 8, Weekends 9, Everyday 0. An index outside the list gives 0.
std::int32_t DayCodeOfDayIndex(int index);
// The DayOfWeekTexts index of a weekly day code 0..9; -1 for any other code.
int DayIndexOfDayCode(std::int32_t code);
// Monthly set points: day code 10 x (occurrence index + 1); a code above 9 is monthly.
inline std::int32_t MonthlyDayCode(int occurrenceIndex) { return 10 * (occurrenceIndex + 1); }
inline bool IsMonthlyDayCode(std::int32_t code) { return code > 9; }
inline int OccurrenceIndexOfDayCode(std::int32_t code) { return code / 10 - 1; }
// Hours code of a StartHourTexts index ("Every Hour" is 99) and back.
inline std::int32_t HoursCodeOfHourIndex(int index) { return index == 0 ? EveryHourCode : index - 1; }
inline int HourIndexOfHoursCode(std::int32_t code) { return code == EveryHourCode ? 0 : code + 1; }

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* SchedClockProgress;

// Reads the readback options and the 40 set points (missing keys take their defaults).
void LoadSchedClockFromDataFile();
// Writes them; the result says whether the file could be written.
SaveResult SaveSchedClockToDataFile();

}  // namespace ostrin
