// A front end that records the status log text, installed for its lifetime.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "model/FrontEnd.h"

namespace ostrin {

class StatusRecorder final : public FrontEnd {
 public:
  StatusRecorder() { InstallFrontEnd(this); }
  ~StatusRecorder() { InstallFrontEnd(nullptr); }
  StatusRecorder(const StatusRecorder&) = delete;
  StatusRecorder& operator=(const StatusRecorder&) = delete;

  void AppendStatus(std::string_view text) override {
    std::lock_guard lock(mutex_);
    text_ += text;
  }
  void SetTransferProgress(int) override {}
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view, std::string_view) override {}
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }

  std::string Text() const {
    std::lock_guard lock(mutex_);
    return text_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    text_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

}  // namespace ostrin
