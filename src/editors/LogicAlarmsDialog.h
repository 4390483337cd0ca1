// "Logic (Input) Alarms": one of the five logic-input alarms at a time, with
// its switch and the macros run on each edge of the input.
#pragma once

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

class Logic_Alarms_Dialog final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Logic_Alarms_Dialog(QWidget* parent = nullptr);

  int ShownAlarm() const { return shownAlarm_; }

 protected:
  void reject() override;  // Enter, Escape and the close box act as "Cancel Changes"

 private:
  void buildControls();
  void showAlarm();
  void takeAlarm();
  void selectAlarm(int index);
  void saveChanges();

  int shownAlarm_ = 0;  // 0..4 for alarms 1..5
  QComboBox* alarmNumber_ = nullptr;
  QComboBox* highToLow_ = nullptr;
  QComboBox* lowToHigh_ = nullptr;
  QCheckBox* enabled_ = nullptr;
};

// Runs the dialog modally.
void OpenLogicAlarmsDialog(QWidget* parent);

}  // namespace ostrin::ui
