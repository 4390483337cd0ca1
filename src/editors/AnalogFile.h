// The Analog category: the eight meter faces (353..360), the reference
// voltage (18), the digital temperature sensor's resolution (186) and pins
// (187), and the eight analog alarms (361..368).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr int MeterFaceCount = 8;
inline constexpr int AnalogAlarmCount = 8;
inline constexpr ParameterNumber ReferenceVoltageNumber = 18;
inline constexpr ParameterNumber TemperatureResolutionNumber = 186;
inline constexpr ParameterNumber TemperaturePinsNumber = 187;

// The meter types, index = value.
inline constexpr std::array<const char*, 8> MeterTypeTexts{
    "OFF", "Volts", "Amps", "Watts", "Degrees", "MPH", "Percent", "DS18B20"};
inline constexpr int MeterTypeDegrees = 4;
inline constexpr int MeterTypeDs18b20 = 7;
// The analog alarm types, index = value.
inline constexpr std::array<const char*, 3> AnalogAlarmTypeTexts{"Disabled", "Low", "High"};
// The temperature sensor resolutions in bits.
inline constexpr std::array<int, 4> TemperatureResolutions{9, 10, 11, 12};

// Parameter 187 from the pin numbers: output pin x 16, OR the input pin's low four bits.
std::int32_t TemperaturePins(std::int32_t outputPin, std::int32_t inputPin);
// The pin numbers held in parameter 187.
constexpr std::int32_t TemperatureOutputPin(std::int32_t pins) { return pins / 16; }
constexpr std::int32_t TemperatureInputPin(std::int32_t pins) { return pins & 15; }

// "Meter Face 1".."Meter Face 8" and "Analog Alarm 1".."Analog Alarm 8" for 1..8.
std::string MeterFaceSection(int face);
std::string AnalogAlarmSection(int alarm);

// One key of a meter face's section and the record field it holds.
struct MeterKey {
  const char* key;
  const char* defaultText;
  std::int32_t MeterRecord::*field;
};
// One key of an analog alarm's section and the record field it holds.
struct AnalogAlarmKey {
  const char* key;
  const char* defaultText;
  std::int32_t AnalogAlarmRecord::*field;
};

// The keys of a meter face's and of an alarm's section, in load and save order.
std::span<const MeterKey> MeterFaceKeys();
std::span<const AnalogAlarmKey> AnalogAlarmKeys();

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* AnalogProgress;

// Reads the category (missing keys take their defaults) into the store; alarm
// i gets the alarm number i.
void LoadAnalogFromDataFile();
// Writes the category; the result says whether the file could be written.
SaveResult SaveAnalogToDataFile();

}  // namespace ostrin
