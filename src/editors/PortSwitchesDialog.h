// "Radio Port Switches": the on/off switches of the three radio ports side by
// side, and the two general switches.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

class Port_Switches final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Port_Switches(QWidget* parent = nullptr);

 private:
  static constexpr std::size_t checkCount = 12;
  static constexpr std::size_t pairCount = 3;

  // The controls of one port (index 0..2 for ports 1..3).
  struct PortControls {
    QComboBox* accessMode = nullptr;
    std::array<QCheckBox*, checkCount> checks{};
    // Each pair: the button of value 0, then the one of value 1.
    std::array<std::array<QRadioButton*, 2>, pairCount> pairs{};
    QRadioButton* polarityHi = nullptr;
    QRadioButton* polarityLo = nullptr;
  };

  void buildControls();
  QWidget* buildPort(int port);
  void showPortSwitches(int port);
  void takePortSwitches(int port);
  void takeGeneralSwitches();
  void saveChanges();
  void cancelChanges();

  std::array<PortControls, 3> ports_{};
  QCheckBox* speechWithTerminator_ = nullptr;
  QRadioButton* minutes_ = nullptr;
  QRadioButton* hours_ = nullptr;
};

// Runs the dialog modally.
void OpenPortSwitchesDialog(QWidget* parent);

}  // namespace ostrin::ui
