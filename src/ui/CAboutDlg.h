// The About box.
#pragma once

#include <QDialog>

namespace ostrin::ui {

class CAboutDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace ostrin::ui
