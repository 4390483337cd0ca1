// Every message box and file dialog of the tool goes through this interface,
// so that tests can answer them by script. The application installs the Qt
// implementation (QMessageBox, QFileDialog).
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace ostrin::ui {

class Prompts {
 public:
  // A message box with an OK button.
  virtual void Message(QWidget* parent, const QString& text, const QString& caption) = 0;
  // A message box with OK and Cancel; true for OK.
  virtual bool OkCancel(QWidget* parent, const QString& text, const QString& caption) = 0;
  // The data file to open, asking before a name that does not exist is accepted;
  // nothing when the operator cancels.
  virtual std::optional<QString> OpenDataFileName(QWidget* parent) = 0;
  // The data file to save into (an existing one is reused without a warning).
  virtual std::optional<QString> SaveDataFileName(QWidget* parent) = 0;

 protected:
  Prompts() = default;
  ~Prompts() = default;
};

// The installed prompts; the Qt ones until a test installs its own.
Prompts& CurrentPrompts();
void InstallPrompts(Prompts* prompts);  // nullptr restores the Qt ones

// The filter of both data-file dialogs.
inline const char* const DataFileFilter = "Ini Files (*.Ini);;All Files (*.*)";

}  // namespace ostrin::ui
