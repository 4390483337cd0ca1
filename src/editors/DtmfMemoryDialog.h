// "DTMF Memories": ten of the 40 DTMF memories at a time as lines of digits,
// in four groups of ten, with the DTMF duration and delay.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

// The group shown (0..3, memories 10 x group + 1 ..), kept from one opening to the next.
extern int DtmfMemorySubset;

class VocabularyList;

class DTMF_Memory final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit DTMF_Memory(QWidget* parent = nullptr);

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  void buildControls();
  void showGroup(int group);
  void keepGroup(int group);
  void chooseGroup(int group);
  void saveChanges();

  std::array<QRadioButton*, 4> groupButtons_{};
  std::array<QLineEdit*, 10> numbers_{};
  std::array<QLineEdit*, 10> lines_{};
  QLineEdit* duration_ = nullptr;
  QLineEdit* delay_ = nullptr;
  VocabularyList* digits_ = nullptr;
};

// Runs the dialog modally.
void OpenDtmfMemoryDialog(QWidget* parent);

}  // namespace ostrin::ui
