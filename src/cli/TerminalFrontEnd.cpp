#include "cli/TerminalFrontEnd.h"

#include <iostream>

#include <unistd.h>

namespace ostrin::cli {
namespace {

constexpr int BarWidth = 40;

std::string withLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

TerminalFrontEnd::TerminalFrontEnd(std::FILE* log, bool assumeYes)
    : log_(log), assumeYes_(assumeYes), drawsBar_(::isatty(STDERR_FILENO) == 1) {
  InstallFrontEnd(this);
}

TerminalFrontEnd::~TerminalFrontEnd() {
  InstallFrontEnd(nullptr);
  const std::lock_guard lock(mutex_);
  barActive_ = false;
  finishStatusLine();
  clearBar();
}

void TerminalFrontEnd::AppendStatus(std::string_view text) {
  const std::lock_guard lock(mutex_);
  if (log_ != nullptr) {
    std::fwrite(text.data(), 1, text.size(), log_);
    std::fflush(log_);
    return;
  }
  pendingLine_ += text;
  const std::size_t end = pendingLine_.rfind('\n');
  if (end == std::string::npos) return;
  printOnStderr(std::string_view(pendingLine_).substr(0, end + 1));
  pendingLine_.erase(0, end + 1);
}

void TerminalFrontEnd::SetTransferProgress(int percent) {
  const std::lock_guard lock(mutex_);
  const bool changed = percent != percent_ || !barShown_;
  percent_ = percent;
  barActive_ = drawsBar_;
  if (barActive_ && changed) drawBar();
  if (percent >= 100) barActive_ = false;
}

void TerminalFrontEnd::ShowMessage(std::string_view text, std::string_view) {
  const std::lock_guard lock(mutex_);
  finishStatusLine();
  printOnStderr(std::string(text) + "\n");
}

bool TerminalFrontEnd::AskOkCancel(std::string_view text, std::string_view caption) {
  const std::lock_guard lock(mutex_);
  finishStatusLine();
  printOnStderr(std::string(caption) + ":\n" + std::string(text) + "\nOK? [y/N] ");
  if (assumeYes_) {
    printOnStderr("y (--yes)\n");
    return true;
  }
  std::string answer;
  if (!std::getline(std::cin, answer)) printOnStderr("\n");
  const bool ok = answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
  if (!ok) cancelled_ = true;
  return ok;
}

void TerminalFrontEnd::FinishStatusLine() {
  const std::lock_guard lock(mutex_);
  finishStatusLine();
}

void TerminalFrontEnd::finishStatusLine() {
  if (pendingLine_.empty()) return;
  printOnStderr(pendingLine_ + "\n");
  pendingLine_.clear();
}

void TerminalFrontEnd::printOnStderr(std::string_view text) {
  clearBar();
  const std::string out = withLineFeeds(text);
  std::fwrite(out.data(), 1, out.size(), stderr);
  if (barActive_) drawBar();
  std::fflush(stderr);
}

void TerminalFrontEnd::clearBar() {
  if (!barShown_) return;
  std::fputs("\r\033[K", stderr);
  barShown_ = false;
}

void TerminalFrontEnd::drawBar() {
  const int filled = percent_ * BarWidth / 100;
  std::string bar = "\r[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(BarWidth - filled), '.');
  bar += "] " + std::to_string(percent_) + "%";
  std::fputs(bar.c_str(), stderr);
  std::fflush(stderr);
  barShown_ = true;
}

}  // namespace ostrin::cli
