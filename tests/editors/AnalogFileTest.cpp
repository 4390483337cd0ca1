#include "editors/AnalogFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using AnalogFileTest = CategoryFileTest;

TEST_F(AnalogFileTest, AMissingFileLoadsTheDefaultsWithAlarmNumbersOneToEight) {
  LoadAnalogFromDataFile();
  for (int face = 0; face < MeterFaceCount; ++face) {
    const MeterRecord meter = GetAnalogRecord(FirstMeter + face).meter;
    EXPECT_EQ(meter.type, 0) << face;
    EXPECT_EQ(meter.actualLow, 0) << face;
    EXPECT_EQ(meter.actualHigh, 500) << face;
    EXPECT_EQ(meter.meterLow, 0) << face;
    EXPECT_EQ(meter.meterHigh, 500) << face;
  }
  EXPECT_EQ(GetValue(ReferenceVoltageNumber).current, 500);
  EXPECT_EQ(GetValue(TemperatureResolutionNumber).current, 12);
  EXPECT_EQ(GetValue(TemperaturePinsNumber).current, 18);
  for (int alarm = 0; alarm < AnalogAlarmCount; ++alarm) {
    const AnalogAlarmRecord record = GetAnalogRecord(FirstAnalogAlarm + alarm).alarm;
    EXPECT_EQ(record.alarmNumber, alarm + 1);
    EXPECT_EQ(record.type, 0) << alarm;
    EXPECT_EQ(record.meter, 0) << alarm;
    EXPECT_EQ(record.macro, 0) << alarm;
    EXPECT_EQ(record.tripValue, 0) << alarm;
  }
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(AnalogFileTest, KeysLoadIntoTheirFaceAlarmAndSetting) {
  WriteDataFile(
      "[Meter Face 3]\r\nType=4\r\nActual Low=273\r\nActual High=298\r\nMeter Low=-5\r\nMeter High=2490mV\r\n"
      "[Reference Voltage]\r\nSetting=330\r\n"
      "[Digital Temperature Resolution]\r\nSetting=nine\r\n"
      "[Analog Alarm 4]\r\nAnalog Alarm Type=2\r\nAnalog Alarm Meter=2\r\nAnalog Alarm Macro=11\r\n"
      "Analog Alarm Trip=-40\r\n");
  LoadAnalogFromDataFile();
  const MeterRecord meter = GetAnalogRecord(355).meter;
  EXPECT_EQ(meter.type, 4);
  EXPECT_EQ(meter.actualLow, 273);
  EXPECT_EQ(meter.actualHigh, 298);
  EXPECT_EQ(meter.meterLow, -5);
  EXPECT_EQ(meter.meterHigh, 2490);
  EXPECT_EQ(GetValue(18).current, 330);
  EXPECT_EQ(GetValue(186).current, 0);
  const AnalogAlarmRecord alarm = GetAnalogRecord(364).alarm;
  EXPECT_EQ(alarm.alarmNumber, 4);
  EXPECT_EQ(alarm.type, 2);
  EXPECT_EQ(alarm.meter, 2);
  EXPECT_EQ(alarm.macro, 11);
  EXPECT_EQ(alarm.tripValue, -40);
}

TEST_F(AnalogFileTest, ThePinKeysCombineIntoOneParameter) {
  struct Case {
    const char* output;
    const char* input;
    int pins;
  };
  const Case cases[] = {
      {"1", "2", 0x12},
      {"3", "5", 0x35},
      {"1", "18", 0x12},  // only the input's low four bits
      {"18", "1", 0x121},
      {"x", "8", 0x08},
  };
  for (const Case& c : cases) {
    WriteDataFile(std::string("[Digital Temperature Output Pin]\r\nSetting=") + c.output +
                  "\r\n[Digital Temperature Input Pin]\r\nSetting=" + c.input + "\r\n");
    LoadAnalogFromDataFile();
    EXPECT_EQ(GetValue(TemperaturePinsNumber).current, c.pins) << c.output << "/" << c.input;
  }
}

TEST_F(AnalogFileTest, SaveWritesEveryGroupAndStepsByFive) {
  LoadAnalogFromDataFile();
  SetMeter(360, {0, 7, 1, 2, 3, 4});
  SetValue(TemperaturePinsNumber, TemperaturePins(3, 5));
  SetValue(TemperatureResolutionNumber, 9);
  SetAnalogAlarm(368, {0, 8, 1, 2, 150, 11});
  ProgressPositions progress;
  AnalogProgress = &progress;
  const SaveResult result = SaveAnalogToDataFile();
  AnalogProgress = nullptr;
  ASSERT_TRUE(result.ok());

  EXPECT_EQ(Saved("Meter Face 8", "Type"), "7");
  EXPECT_EQ(Saved("Meter Face 8", "Meter High"), "4");
  EXPECT_EQ(Saved("Meter Face 1", "Actual High"), "500");
  EXPECT_EQ(Saved("Reference Voltage", "Setting"), "500");
  EXPECT_EQ(Saved("Digital Temperature Resolution", "Setting"), "9");
  EXPECT_EQ(Saved("Digital Temperature Output Pin", "Setting"), "3");
  EXPECT_EQ(Saved("Digital Temperature Input Pin", "Setting"), "5");
  EXPECT_EQ(Saved("Analog Alarm 8", "Analog Alarm Type"), "1");
  EXPECT_EQ(Saved("Analog Alarm 8", "Analog Alarm Meter"), "2");
  EXPECT_EQ(Saved("Analog Alarm 8", "Analog Alarm Macro"), "11");
  EXPECT_EQ(Saved("Analog Alarm 8", "Analog Alarm Trip"), "150");
  EXPECT_EQ(progress.positions,
            (std::vector<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 100}));
}

}  // namespace
}  // namespace ostrin
