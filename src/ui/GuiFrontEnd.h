// The main window as the core's front end. Calls from the GUI thread run at
// once; calls from the comms worker or the port pump are carried into the GUI
// thread and wait until it has done them. Once the window is closing, calls
// from other threads return at once, so a thread being stopped never waits for
// a GUI thread that is waiting for it.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>

#include "model/FrontEnd.h"

namespace ostrin::ui {

class COstrin_CFGDlg;

class GuiFrontEnd final : public FrontEnd {
 public:
  explicit GuiFrontEnd(COstrin_CFGDlg& window) : window_(window) {}

  void AppendStatus(std::string_view text) override;
  void SetTransferProgress(int percent) override;
  void SetPendingCount(int count) override;
  void EnableCategoryButtons() override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view text, std::string_view caption) override;

  void StartClosing() { closing_ = true; }

 private:
  // Runs the call on the GUI thread and waits for it; false when it was dropped.
  bool onGuiThread(const std::function<void()>& call);

  COstrin_CFGDlg& window_;
  std::atomic<bool> closing_{false};
};

}  // namespace ostrin::ui
