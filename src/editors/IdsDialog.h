// "IDs": the voice and CW identifications of one radio port at a time, with
// the CW speed and tones, the speech-ID and constant-ID switches and the ID
// extras, beside the voice vocabulary and a counter of the words of the ID
// last changed.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

// One flag per ID box (1148, 1149, 1150, 1151, 1152, 1168, 1153, 1154), all
// set at program start: the first change of each box's text does not reach the
// counter.
extern std::array<bool, 8> SkipFirstChange;

class VocabularyList;

class IDs final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit IDs(QWidget* parent = nullptr);

  int SelectedPort() const { return selectedPort_; }

 protected:
  void reject() override;  // Escape and the close box act as "Cancel Changes"

 private:
  struct Extra {
    QComboBox* choice = nullptr;
    QCheckBox* special1 = nullptr;
    QCheckBox* special2 = nullptr;
  };

  void buildControls();
  void showPort();
  void keepPort();
  void choosePort(int port);
  void idTextChanged(std::size_t box);
  void saveChanges();
  int base() const { return 1000 * (selectedPort_ + 1); }

  int selectedPort_ = 0;  // IdsSelectedPort: 0..2 for ports 1..3
  std::array<QRadioButton*, 3> portButtons_{};
  std::array<QLineEdit*, 8> ids_{};  // the six voice IDs, then the two CW IDs
  std::array<QLineEdit*, 3> cwValues_{};
  QCheckBox* speechIds_ = nullptr;
  QCheckBox* constantId_ = nullptr;
  std::array<Extra, 3> extras_{};
  QLineEdit* counter_ = nullptr;
  VocabularyList* vocabulary_ = nullptr;
};

// Runs the dialog modally.
void OpenIdsDialog(QWidget* parent);

}  // namespace ostrin::ui
