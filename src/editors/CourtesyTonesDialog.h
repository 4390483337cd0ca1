// "Courtesy Tone Pool": the four segments of one of the ten courtesy tones at
// a time, chosen in a list.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"
#include "editors/CourtesyTonesFile.h"

namespace ostrin::ui {

class Courtesy_Tones final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Courtesy_Tones(QWidget* parent = nullptr);

  int SelectedTone() const { return selectedTone_; }

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  void buildControls();
  void showCourtesyTone();
  void takeCourtesyTone();
  void toneChosen(int index);
  void saveChanges();

  int selectedTone_ = 0;  // CourtesyToneSelected: 0..9 for tones 1..10
  QComboBox* toneSelect_ = nullptr;
  // The boxes in field order: the four delays, durations, first and second frequencies.
  std::array<QLineEdit*, CourtesyToneFieldCount> boxes_{};
};

// Runs the dialog modally.
void OpenCourtesyTonesDialog(QWidget* parent);

}  // namespace ostrin::ui
