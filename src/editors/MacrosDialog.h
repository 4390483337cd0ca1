// "MACROS": ten of the 90 macros at a time as rows of function numbers and
// DTMF codes, the function catalogue as a reference list, the receiver macros
// of each port and the ports each macro may run from.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

class QListWidget;
class QListWidgetItem;

namespace ostrin::ui {

// The subset of ten macros shown (0..8 for 1-10 .. 81-90); kept between
// openings of the dialog for the life of the process.
extern int MacroSubset;

class Macros_Dialog final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Macros_Dialog(QWidget* parent = nullptr);

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static constexpr int RowCount = 10;

  void buildControls();
  QWidget* buildRows();
  QWidget* buildFunctionList();
  QWidget* buildReceiverMacros();
  QWidget* buildPortAssignments();
  void ShowMacroPage();
  void TakeMacroPage();
  void showReceiverMacros();
  void showAllowedPorts();
  void selectSubset(int subset);
  void receiverMacroChosen(int offset, int index);
  void allowedPortsChosen(int index);
  void insertFunction(QListWidgetItem* item);
  void saveChanges();
  int firstMacro() const { return 10 * MacroSubset + 1; }
  int selectedPort() const;

  std::array<QRadioButton*, 9> subsetButtons_{};
  std::array<QLineEdit*, RowCount> numberBoxes_{};
  std::array<QLineEdit*, RowCount> stepsBoxes_{};
  std::array<QLineEdit*, RowCount> codeBoxes_{};
  QLineEdit* lastStepsBox_ = nullptr;  // where a double-clicked function goes
  QListWidget* functions_ = nullptr;
  QComboBox* receiverPort_ = nullptr;
  QComboBox* activeMacro_ = nullptr;
  QComboBox* inactiveMacro_ = nullptr;
  QComboBox* assignedMacro_ = nullptr;
  QComboBox* allowedPorts_ = nullptr;
};

// Runs the dialog modally.
void OpenMacrosDialog(QWidget* parent);

}  // namespace ostrin::ui
