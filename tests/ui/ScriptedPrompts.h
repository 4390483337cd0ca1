// Prompts answered by script: every message is recorded, every question and
// file dialog takes the next scripted answer.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "ui/Prompts.h"

namespace ostrin::ui {

class ScriptedPrompts final : public Prompts {
 public:
  ScriptedPrompts() { InstallPrompts(this); }
  ~ScriptedPrompts() { InstallPrompts(nullptr); }

  void Message(QWidget*, const QString& text, const QString& caption) override {
    messages << text;
    captions << caption;
  }
  bool OkCancel(QWidget*, const QString& text, const QString& caption) override {
    questions << text;
    captions << caption;
    const bool ok = answers.empty() ? false : answers.front();
    if (!answers.empty()) answers.pop_front();
    return ok;
  }
  std::optional<QString> OpenDataFileName(QWidget*) override { return next(); }
  std::optional<QString> SaveDataFileName(QWidget*) override { return next(); }

  QStringList messages;
  QStringList questions;
  QStringList captions;
  std::deque<bool> answers;                   // for OkCancel
  QStringList files;  // for the file dialogs, in order; an empty name is Cancel

 private:
  std::optional<QString> next() {
    const QString file = files.isEmpty() ? QString() : files.takeFirst();
    if (file.isEmpty()) return std::nullopt;
    return file;
  }
};

}  // namespace ostrin::ui
