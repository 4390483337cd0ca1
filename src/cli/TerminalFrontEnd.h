// The front end of the command-line transfers: the status log goes to a file
// (exactly the text the main window's log shows) or to stderr; message boxes
// are printed on stderr as their text; the progress of a transfer is drawn as
// a bar on stderr when stderr is a terminal; an OK/Cancel question is printed
// on stderr and answered by a line on stdin ("y" or "yes" is OK; anything
// else and the end of input are Cancel), or taken as OK when the command was
// given --yes. Installed for its lifetime; every call may come from any thread.
#pragma once

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "model/FrontEnd.h"

namespace ostrin::cli {

class TerminalFrontEnd final : public FrontEnd {
 public:
  // log: the status log's file, or nullptr for stderr. The file stays the caller's.
  TerminalFrontEnd(std::FILE* log, bool assumeYes);
  ~TerminalFrontEnd();
  TerminalFrontEnd(const TerminalFrontEnd&) = delete;
  TerminalFrontEnd& operator=(const TerminalFrontEnd&) = delete;

  void AppendStatus(std::string_view text) override;
  void SetTransferProgress(int percent) override;
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view text, std::string_view caption) override;

  // Ends a status line still open on stderr, so that what follows starts a line.
  void FinishStatusLine();

  // True once a question was answered with Cancel.
  bool Cancelled() const { return cancelled_; }

 private:
  void finishStatusLine();
  // Writes text on stderr with its CR LF as line ends, the bar cleared first.
  void printOnStderr(std::string_view text);
  void clearBar();
  void drawBar();

  std::mutex mutex_;
  std::FILE* log_;
  bool assumeYes_;
  std::atomic<bool> cancelled_{false};
  bool barShown_ = false;   // the bar is on the terminal's last line
  bool barActive_ = false;  // a transfer is under way: the bar comes back after each print
  bool drawsBar_;
  int percent_ = 0;
  // Status text for stderr up to its next line end, so the bar never splits a line.
  std::string pendingLine_;
};

}  // namespace ostrin::cli
