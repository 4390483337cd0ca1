// Prompts for the GUI benchmarks: every file dialog answers with one file,
// every question with one answer; messages are counted and dropped.
#pragma once

#include <QString>
#include <optional>

#include "ui/Prompts.h"

namespace ostrin::ui {

class FixedPrompts final : public Prompts {
 public:
  explicit FixedPrompts(QString path, bool answer = false) : path_(std::move(path)), answer_(answer) {
    InstallPrompts(this);
  }
  ~FixedPrompts() { InstallPrompts(nullptr); }
  FixedPrompts(const FixedPrompts&) = delete;
  FixedPrompts& operator=(const FixedPrompts&) = delete;

  void Message(QWidget*, const QString&, const QString&) override { ++messages; }
  bool OkCancel(QWidget*, const QString&, const QString&) override { return answer_; }
  std::optional<QString> OpenDataFileName(QWidget*) override { return path_; }
  std::optional<QString> SaveDataFileName(QWidget*) override { return path_; }

  int messages = 0;

 private:
  QString path_;
  bool answer_;
};

}  // namespace ostrin::ui
