// "Ostrin Timers Configuration": the timers of one radio port at a time and
// the general timers.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

class Timers_Dialog final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Timers_Dialog(QWidget* parent = nullptr);

  int SelectedPort() const { return selectedPort_; }

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  struct PortEdit {
    int id;
    int offset;
    const char* label;
    const char* unit;
  };
  struct GeneralTimer {
    int timeId;
    int macroId;
  };

  void buildControls();
  void showTimers();
  void takeTimers();
  void selectPort(int port);
  void tailMessageChosen(int index);
  void saveChanges();
  int base() const { return 1000 * (selectedPort_ + 1); }

  int selectedPort_ = 0;  // TimersSelectedPort: 0..2 for ports 1..3
  std::array<QRadioButton*, 3> portButtons_{};
  std::array<QLineEdit*, 13> portEdits_{};
  QComboBox* totResetPoint_ = nullptr;
  QComboBox* tailMessage_ = nullptr;
  QLineEdit* tailCounter_ = nullptr;
  QLineEdit* tailTimer_ = nullptr;
  std::array<QComboBox*, 3> tailMacros_{};
  QLineEdit* inactivityTimer_ = nullptr;
  QComboBox* inactivityMacro_ = nullptr;
  QCheckBox* fanAllTx_ = nullptr;
  QCheckBox* linkingControl_ = nullptr;
  QLineEdit* fanTimer_ = nullptr;
  QLineEdit* speechDelay_ = nullptr;
  std::array<QLineEdit*, 6> generalTimes_{};
  std::array<QComboBox*, 6> generalMacros_{};
};

// Runs the dialog modally.
void OpenTimersDialog(QWidget* parent);

}  // namespace ostrin::ui
