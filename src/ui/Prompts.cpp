#include "ui/Prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace ostrin::ui {
namespace {

QString caption(const QString& given) { return given.isEmpty() ? QStringLiteral("Ostrin_CFG") : given; }

std::optional<QString> runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QString::fromLatin1(DataFileFilter));
  dialog.setDefaultSuffix(QStringLiteral("Ini"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

class QtPrompts final : public Prompts {
 public:
  void Message(QWidget* parent, const QString& text, const QString& title) override {
    QMessageBox box(QMessageBox::NoIcon, caption(title), text, QMessageBox::Ok, parent);
    box.setAccessibleName(text);
    box.exec();
  }

  bool OkCancel(QWidget* parent, const QString& text, const QString& title) override {
    QMessageBox box(QMessageBox::Question, caption(title), text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setAccessibleName(text);
    return box.exec() == QMessageBox::Ok;
  }

  std::optional<QString> OpenDataFileName(QWidget* parent) override {
    const auto path = runFileDialog(parent, QFileDialog::AcceptOpen);
    if (!path || QFileInfo::exists(*path)) return path;
    const QString question =
        QStringLiteral("%1\nThis file does not exist.\nDo you want to create it?").arg(*path);
    if (QMessageBox::question(parent, QStringLiteral("Open"), question) != QMessageBox::Yes) {
      return std::nullopt;
    }
    return path;
  }

  std::optional<QString> SaveDataFileName(QWidget* parent) override {
    return runFileDialog(parent, QFileDialog::AcceptSave);
  }
};

QtPrompts qtPrompts;
Prompts* installed = &qtPrompts;

}  // namespace

Prompts& CurrentPrompts() { return *installed; }
void InstallPrompts(Prompts* prompts) { installed = prompts ? prompts : &qtPrompts; }

}  // namespace ostrin::ui
