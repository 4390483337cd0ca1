#include "editors/AnalogFile.h"

#include "datafile/Profile.h"
#include "editors/CategoryKeys.h"

namespace ostrin {

ProgressSink* AnalogProgress = nullptr;

namespace {

constexpr std::array<MeterKey, 5> meterKeys{{
    {"Type", "0", &MeterRecord::type},
    {"Actual Low", "0", &MeterRecord::actualLow},
    {"Actual High", "500", &MeterRecord::actualHigh},
    {"Meter Low", "0", &MeterRecord::meterLow},
    {"Meter High", "500", &MeterRecord::meterHigh},
}};

constexpr std::array<AnalogAlarmKey, 4> alarmKeys{{
    {"Analog Alarm Type", "0", &AnalogAlarmRecord::type},
    {"Analog Alarm Meter", "0", &AnalogAlarmRecord::meter},
    {"Analog Alarm Macro", "0", &AnalogAlarmRecord::macro},
    {"Analog Alarm Trip", "0", &AnalogAlarmRecord::tripValue},
}};

// The sections of the single settings, each under the key "Setting".
constexpr const char* settingKey = "Setting";
constexpr NumberKey referenceVoltage{settingKey, ReferenceVoltageNumber, "500"};
constexpr NumberKey resolution{settingKey, TemperatureResolutionNumber, "12"};
constexpr const char* referenceVoltageSection = "Reference Voltage";
constexpr const char* resolutionSection = "Digital Temperature Resolution";
constexpr const char* outputPinSection = "Digital Temperature Output Pin";
constexpr const char* inputPinSection = "Digital Temperature Input Pin";

void loadMeterFace(int face) {
  const std::string section = MeterFaceSection(face);
  MeterRecord record;
  for (const MeterKey& row : meterKeys) record.*row.field = ReadNumber(section, row.key, row.defaultText);
  SetMeter(FirstMeter + face - 1, record);
}

void saveMeterFace(int face) {
  const std::string section = MeterFaceSection(face);
  const MeterRecord record = GetAnalogRecord(FirstMeter + face - 1).meter;
  for (const MeterKey& row : meterKeys) WriteNumber(section, row.key, record.*row.field);
}

void loadAlarm(int alarm) {
  const std::string section = AnalogAlarmSection(alarm);
  AnalogAlarmRecord record;
  record.alarmNumber = alarm;
  for (const AnalogAlarmKey& row : alarmKeys) record.*row.field = ReadNumber(section, row.key, row.defaultText);
  SetAnalogAlarm(FirstAnalogAlarm + alarm - 1, record);
}

void saveAlarm(int alarm) {
  const std::string section = AnalogAlarmSection(alarm);
  const AnalogAlarmRecord record = GetAnalogRecord(FirstAnalogAlarm + alarm - 1).alarm;
  for (const AnalogAlarmKey& row : alarmKeys) WriteNumber(section, row.key, record.*row.field);
}

void loadPins() {
  SetValue(TemperaturePinsNumber,
           TemperaturePins(ReadNumber(outputPinSection, settingKey, "1"), ReadNumber(inputPinSection, settingKey, "2")));
}

void savePins() {
  const std::int32_t pins = GetValue(TemperaturePinsNumber).current;
  WriteNumber(outputPinSection, settingKey, TemperatureOutputPin(pins));
  WriteNumber(inputPinSection, settingKey, TemperatureInputPin(pins));
}

}  // namespace

std::int32_t TemperaturePins(std::int32_t outputPin, std::int32_t inputPin) {
  // Unsigned arithmetic: a huge pin number from the file wraps instead of overflowing.
  const std::uint32_t pins = (static_cast<std::uint32_t>(outputPin) << 4) | static_cast<std::uint32_t>(inputPin & 15);
  return static_cast<std::int32_t>(pins);
}

std::string MeterFaceSection(int face) { return NumberedName("Meter Face ", face); }
std::string AnalogAlarmSection(int alarm) { return NumberedName("Analog Alarm ", alarm); }

std::span<const MeterKey> MeterFaceKeys() { return meterKeys; }
std::span<const AnalogAlarmKey> AnalogAlarmKeys() { return alarmKeys; }

void LoadAnalogFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int face = 1; face <= MeterFaceCount; ++face) loadMeterFace(face);
  LoadNumberKey(referenceVoltageSection, 0, referenceVoltage);
  LoadNumberKey(resolutionSection, 0, resolution);
  loadPins();
  for (int alarm = 1; alarm <= AnalogAlarmCount; ++alarm) loadAlarm(alarm);
}

SaveResult SaveAnalogToDataFile() {
  ProfileSession session;
  for (int face = 1; face <= MeterFaceCount; ++face) {
    StepProgress(AnalogProgress, 5 * (face - 1));
    saveMeterFace(face);
  }
  StepProgress(AnalogProgress, 40);
  SaveNumberKey(referenceVoltageSection, 0, referenceVoltage);
  StepProgress(AnalogProgress, 45);
  SaveNumberKey(resolutionSection, 0, resolution);
  StepProgress(AnalogProgress, 50);
  savePins();
  for (int alarm = 1; alarm <= AnalogAlarmCount; ++alarm) {
    StepProgress(AnalogProgress, 55 + 5 * (alarm - 1));
    saveAlarm(alarm);
  }
  StepProgress(AnalogProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
