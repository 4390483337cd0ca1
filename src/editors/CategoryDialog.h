// What every category dialog shares: its controls made with their ids and
// accessible names, and the "Save Changes" and "Cancel Changes" flows.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <span>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"

class QGroupBox;
class QHBoxLayout;
class QLabel;

namespace ostrin::ui {

class CategoryDialog : public QDialog {
  Q_OBJECT

 protected:
  CategoryDialog(QWidget* parent, const QString& caption);

  // Controls, each with its id as accessible description and the label as its name.
  QLineEdit* Edit(int id, const QString& name);
  QComboBox* Combo(int id, const QString& name, const QStringList& items);
  QCheckBox* Check(int id, const QString& caption, const QString& name = QString());
  QRadioButton* Radio(int id, const QString& caption, const QString& name = QString());
  QPushButton* Button(int id, const QString& caption);
  // A fixed note, shown in a muted style.
  QLabel* Note(const QString& text);
  QGroupBox* Group(const QString& title);

  // Which of "Save Changes" and "Cancel Changes" Enter presses.
  enum class DefaultButton { Save, Cancel };
  struct ChangeButtons {
    QPushButton* save;
    QPushButton* cancel;
    QHBoxLayout* row;  // the two at its right end; a dialog may put more at its left
  };
  // "Save Changes" and "Cancel Changes" with their ids, wired to the dialog's
  // save and to its cancel (the dialog's reject unless another is given), in
  // the row that ends the dialog.
  template <typename Dialog>
  ChangeButtons SaveAndCancelButtons(int saveId, int cancelId, DefaultButton byDefault, void (Dialog::*save)(),
                                     void (Dialog::*cancel)() = nullptr) {
    const ChangeButtons buttons = changeButtons(saveId, cancelId, byDefault);
    auto* dialog = static_cast<Dialog*>(this);
    connect(buttons.save, &QPushButton::clicked, dialog, save);
    if (cancel) {
      connect(buttons.cancel, &QPushButton::clicked, dialog, cancel);
    } else {
      connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    return buttons;
  }

  // "Save Changes": a progress window over this dialog with the category's
  // title and text, the take into the store, the category's save, then the
  // dialog closes with the OK result. The category's progress pointer is set
  // while the save runs. A save that cannot be written shows why.
  template <typename Take>
  void RunSave(const QString& title, const QString& text, ProgressSink*& progressPointer, Take take,
               SaveResult (*save)()) {
    SaveResult result;
    runSaveSteps(title, text, progressPointer, [&] {
      take();
      result = save();
    });
    reportSave(result);
    accept();
  }

  // "Cancel Changes": clears the EditedFlag of every number, then closes with Cancel.
  void RunCancel(std::span<const int> numbers, ProgressSink*& progressPointer);

 private:
  ChangeButtons changeButtons(int saveId, int cancelId, DefaultButton byDefault);
  void runSaveSteps(const QString& title, const QString& text, ProgressSink*& progressPointer,
                    const std::function<void()>& work);
  void reportSave(const SaveResult& result);
};

// The number a box holds: its leading signed decimal, 0 when there is none.
std::int32_t BoxNumber(const QLineEdit* box);
std::int32_t BoxNumber(const QString& text);
QString NumberText(std::int32_t value);
// "1" .. "last" ("%d").
QStringList NumberItems(int first, int last);

}  // namespace ostrin::ui
