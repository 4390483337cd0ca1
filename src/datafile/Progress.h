// The progress window as the data-file savers see it. A category's saver
// advances its own category's progress window, when one is open, through the
// category's process-wide pointer; the pointer is null at all other times.
#pragma once

#include <string_view>

namespace ostrin {

class ProgressSink {
 public:
  virtual void SetText(std::string_view text) = 0;
  virtual void SetPos(int position) = 0;
  // Lets the window repaint and notice the operator's Cancel.
  virtual void PeekAndPump() = 0;

 protected:
  ProgressSink() = default;
  ~ProgressSink() = default;
};

// SetPos and PeekAndPump when a progress window is open; nothing otherwise.
inline void StepProgress(ProgressSink* progress, int position) {
  if (!progress) return;
  progress->SetPos(position);
  progress->PeekAndPump();
}

}  // namespace ostrin
