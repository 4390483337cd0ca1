#include "model/FrontEnd.h"

#include <atomic>

namespace ostrin {
namespace {

class SilentFrontEnd final : public FrontEnd {
 public:
  void AppendStatus(std::string_view) override {}
  void SetTransferProgress(int) override {}
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view, std::string_view) override {}
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }
};

SilentFrontEnd silentFrontEnd;
std::atomic<FrontEnd*> installed{&silentFrontEnd};

}  // namespace

FrontEnd& CurrentFrontEnd() { return *installed.load(); }

void InstallFrontEnd(FrontEnd* frontEnd) { installed = frontEnd ? frontEnd : &silentFrontEnd; }

}  // namespace ostrin
