// The front end the core reports to: the main window in the GUI, the terminal
// in the CLI, a recorder in the tests. The core calls it from any of its
// threads; an implementation makes each call synchronous with its own thread
// (the GUI blocks the caller until the GUI thread has done it).
#pragma once

#include <string_view>

namespace ostrin {

class FrontEnd {
 public:
  // Appends text to the communication status log; the text carries its own "\r\n".
  virtual void AppendStatus(std::string_view text) = 0;
  // The transfer progress bar and its percentage box ("%d%%"), 0..100.
  virtual void SetTransferProgress(int percent) = 0;
  // The count of pending changes shown on the main window.
  virtual void SetPendingCount(int count) = 0;
  // Enables the eleven category buttons once the store holds a configuration.
  virtual void EnableCategoryButtons() = 0;
  // A message box with an OK button; returns once the operator has closed it.
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
  // A message box with OK and Cancel; true when the operator chose OK.
  virtual bool AskOkCancel(std::string_view text, std::string_view caption) = 0;

 protected:
  FrontEnd() = default;
  ~FrontEnd() = default;
};

// The process-wide front end. Until one is installed, reports are discarded
// and questions are answered with Cancel.
FrontEnd& CurrentFrontEnd();
void InstallFrontEnd(FrontEnd* frontEnd);  // nullptr restores the silent one

}  // namespace ostrin
