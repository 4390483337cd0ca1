// The command line's front end: the status log goes to stdout as it comes
// (each CR LF printed as a line end), messages go to stderr, questions are
// answered with Cancel. Installed for the lifetime of the object.
#pragma once

#include <mutex>
#include <string_view>

#include "model/FrontEnd.h"

namespace ostrin::cli {

class CliFrontEnd final : public FrontEnd {
 public:
  CliFrontEnd() { InstallFrontEnd(this); }
  ~CliFrontEnd() { InstallFrontEnd(nullptr); }
  CliFrontEnd(const CliFrontEnd&) = delete;
  CliFrontEnd& operator=(const CliFrontEnd&) = delete;

  void AppendStatus(std::string_view text) override;
  void SetTransferProgress(int) override {}
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }

 private:
  std::mutex mutex_;
};

}  // namespace ostrin::cli
