// A front end that records everything the core reports and answers its
// questions from a script; installed for its lifetime.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/FrontEnd.h"

namespace ostrin::test {

struct Box {
  std::string text;
  std::string caption;
  bool operator==(const Box&) const = default;
};

class FrontEndRecorder final : public FrontEnd {
 public:
  FrontEndRecorder() { InstallFrontEnd(this); }
  ~FrontEndRecorder() { InstallFrontEnd(nullptr); }
  FrontEndRecorder(const FrontEndRecorder&) = delete;
  FrontEndRecorder& operator=(const FrontEndRecorder&) = delete;

  void AppendStatus(std::string_view text) override {
    const std::lock_guard lock(mutex_);
    status_ += text;
  }
  void SetTransferProgress(int percent) override {
    const std::lock_guard lock(mutex_);
    progress_.push_back(percent);
  }
  void SetPendingCount(int count) override {
    const std::lock_guard lock(mutex_);
    pending_.push_back(count);
  }
  void EnableCategoryButtons() override {
    const std::lock_guard lock(mutex_);
    ++enables_;
  }
  void ShowMessage(std::string_view text, std::string_view caption) override {
    const std::lock_guard lock(mutex_);
    messages_.push_back({std::string(text), std::string(caption)});
  }
  bool AskOkCancel(std::string_view text, std::string_view caption) override {
    const std::lock_guard lock(mutex_);
    questions_.push_back({std::string(text), std::string(caption)});
    if (answers_.empty()) return false;
    const bool ok = answers_.front();
    answers_.pop_front();
    return ok;
  }

  // The answers to the next questions, OK = true; Cancel once they run out.
  void Answer(std::initializer_list<bool> answers) {
    const std::lock_guard lock(mutex_);
    answers_.assign(answers);
  }

  std::string Status() const { return locked(status_); }
  std::vector<int> Progress() const { return locked(progress_); }
  std::vector<int> PendingCounts() const { return locked(pending_); }
  int Enables() const { return locked(enables_); }
  std::vector<Box> Messages() const { return locked(messages_); }
  std::vector<Box> Questions() const { return locked(questions_); }

 private:
  template <typename T>
  T locked(const T& value) const {
    const std::lock_guard lock(mutex_);
    return value;
  }

  mutable std::mutex mutex_;
  std::string status_;
  std::vector<int> progress_;
  std::vector<int> pending_;
  int enables_ = 0;
  std::vector<Box> messages_;
  std::vector<Box> questions_;
  std::deque<bool> answers_;
};

}  // namespace ostrin::test
