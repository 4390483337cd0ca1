// "Message Macros": ten of the 70 spoken message macros at a time as lines of
// words, in seven groups of ten, beside the message vocabulary.
#pragma once

#include <array>

#include "editors/CategoryDialog.h"

namespace ostrin::ui {

// The group shown (0..6, macros 10 x group + 1 ..), kept from one opening to the next.
extern int MessageMacroSubset;

class VocabularyList;

class Message_Macros final : public CategoryDialog {
  Q_OBJECT

 public:
  explicit Message_Macros(QWidget* parent = nullptr);

 private:
  void buildControls();
  void showTexts(int group);
  void showGroup(int group);
  void keepGroup(int group);
  void chooseGroup(int group);
  void eraseAll();
  void saveChanges();
  void cancelChanges();

  std::array<QRadioButton*, 7> groupButtons_{};
  std::array<QLineEdit*, 10> numbers_{};
  std::array<QLineEdit*, 10> lines_{};
  VocabularyList* vocabulary_ = nullptr;
};

// Runs the dialog modally.
void OpenMessageMacrosDialog(QWidget* parent);

}  // namespace ostrin::ui
