#include "ui/GuiFrontEnd.h"

#include <QMetaObject>
#include <QThread>

#include "ui/COstrin_CFGDlg.h"
#include "ui/Prompts.h"

namespace ostrin::ui {
namespace {

QString fromCore(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool GuiFrontEnd::onGuiThread(const std::function<void()>& call) {
  if (QThread::currentThread() == window_.thread()) {
    call();
    return true;
  }
  if (closing_) return false;
  return QMetaObject::invokeMethod(&window_, call, Qt::BlockingQueuedConnection);
}

void GuiFrontEnd::AppendStatus(std::string_view text) {
  const QString line = fromCore(text);
  onGuiThread([this, &line] { window_.AppendStatus(line); });
}

void GuiFrontEnd::SetTransferProgress(int percent) {
  onGuiThread([this, percent] { window_.SetTransferProgress(percent); });
}

void GuiFrontEnd::SetPendingCount(int count) {
  onGuiThread([this, count] { window_.SetPendingCount(count); });
}

void GuiFrontEnd::EnableCategoryButtons() {
  onGuiThread([this] { window_.EnableCategoryButtons(); });
}

void GuiFrontEnd::ShowMessage(std::string_view text, std::string_view caption) {
  const QString message = fromCore(text);
  const QString title = fromCore(caption);
  onGuiThread([&] { CurrentPrompts().Message(&window_, message, title); });
}

bool GuiFrontEnd::AskOkCancel(std::string_view text, std::string_view caption) {
  const QString message = fromCore(text);
  const QString title = fromCore(caption);
  bool ok = false;
  onGuiThread([&] { ok = CurrentPrompts().OkCancel(&window_, message, title); });
  return ok;
}

}  // namespace ostrin::ui
