// "Scheduler + Real Time Clock": one of the 40 scheduler set points at a time
// and the speech options of the controller's real-time clock.
#pragma once

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

class Sched_Clock_Dialog final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Sched_Clock_Dialog(QWidget* parent = nullptr);

  int ShownSetpoint() const { return shownSetpoint_; }

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  QWidget* buildScheduler();
  QWidget* buildClock();
  void buildControls();
  void showStore();
  void takeStore();
  void selectSetpoint(int index);
  void saveChanges();

  int shownSetpoint_ = 0;  // 0..39 for set points 1..40
  QComboBox* setpointNumber_ = nullptr;
  QCheckBox* enable_ = nullptr;
  QComboBox* dayOfWeek_ = nullptr;
  QComboBox* month_ = nullptr;
  QCheckBox* monthly_ = nullptr;
  QComboBox* occurrence_ = nullptr;
  QComboBox* hours_ = nullptr;
  QComboBox* minutes_ = nullptr;
  QComboBox* macro_ = nullptr;
  QCheckBox* sayYear_ = nullptr;
  QCheckBox* hour24_ = nullptr;
  QCheckBox* sayHours_ = nullptr;
};

// Runs the dialog modally.
void OpenSchedClockDialog(QWidget* parent);

}  // namespace ostrin::ui
