#include "cli/CliFrontEnd.h"

#include <cstdio>

namespace ostrin::cli {

void CliFrontEnd::AppendStatus(std::string_view text) {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    std::fputc(text[i], stdout);
  }
  std::fflush(stdout);
}

void CliFrontEnd::ShowMessage(std::string_view text, std::string_view caption) {
  std::lock_guard lock(mutex_);
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
}

}  // namespace ostrin::cli
