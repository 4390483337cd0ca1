// "Analog Inputs": the meter face of one analog channel at a time with the
// reference voltage and the digital temperature sensor, and one analog alarm
// at a time.
#pragma once

#include <array>

#include "editors/AnalogFile.h"
#include "editors/CategoryDialog.h"

namespace ostrin::ui {

class Analog final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Analog(QWidget* parent = nullptr);

  int SelectedChannel() const { return selectedChannel_; }
  int SelectedAlarm() const { return selectedAlarm_; }

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  static constexpr std::size_t valueCount = 4;

  void buildControls();
  QWidget* buildChannels();
  QWidget* buildMeterFace();
  QWidget* buildDigitalChannel();
  QWidget* buildAlarm();
  void showAnalogChannel();
  void takeAnalogChannel();
  void showAnalogAlarm();
  void takeAnalogAlarm();
  void showMeterValues(int type, const MeterRecord& face);
  void updateLm335Button();
  void channelChosen(int channel);
  void alarmChosen(int alarm);
  void meterTypeChosen(int type);
  void setLm335Defaults();
  void saveChanges();

  int selectedChannel_ = 0;  // AnalogSelectedChannel: 0..7 for "Ch1".."Ch8"
  int selectedAlarm_ = 0;    // AnalogSelectedAlarm: 0..7 for alarms 1..8
  int meterTypeShown_ = -1;  // the meter type combo's index, to see a change
  std::array<QRadioButton*, MeterFaceCount> channels_{};
  QComboBox* meterType_ = nullptr;
  // Actual low, actual high, meter low, meter high.
  std::array<QLineEdit*, valueCount> values_{};
  QPushButton* lm335_ = nullptr;
  QLineEdit* referenceVoltage_ = nullptr;
  std::array<QRadioButton*, TemperatureResolutions.size()> resolutions_{};
  QComboBox* outputPin_ = nullptr;
  QComboBox* inputPin_ = nullptr;
  QComboBox* alarmNumber_ = nullptr;
  QComboBox* alarmType_ = nullptr;
  QComboBox* alarmMeter_ = nullptr;
  QComboBox* alarmMacro_ = nullptr;
  QLineEdit* tripValue_ = nullptr;
};

// Runs the dialog modally.
void OpenAnalogDialog(QWidget* parent);

}  // namespace ostrin::ui
