// "Special Codes": the unlock codes of the three ports, the global lock code,
// the terminator, the DTMF pad-test prefix, the DTMF pre-access code and its
// macro range, and the global switches beside them.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

class Special_Codes_Dialog final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Special_Codes_Dialog(QWidget* parent = nullptr);

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  void buildControls();
  void showCodes();
  void takeCodes();
  void saveChanges();

  std::array<QLineEdit*, 3> unlockCodes_{};
  QLineEdit* globalLock_ = nullptr;
  QLineEdit* terminator_ = nullptr;
  QLineEdit* padTest_ = nullptr;
  QLineEdit* preAccess_ = nullptr;
  QLineEdit* rangeStart_ = nullptr;
  QLineEdit* rangeStop_ = nullptr;
  QCheckBox* voiceResponses_ = nullptr;
  QCheckBox* dr1xMode_ = nullptr;
  QCheckBox* triggeredIds_ = nullptr;
  QRadioButton* firstDigit_ = nullptr;
  QRadioButton* secondDigit_ = nullptr;
};

// Runs the dialog modally.
void OpenSpecialCodesDialog(QWidget* parent);

}  // namespace ostrin::ui
