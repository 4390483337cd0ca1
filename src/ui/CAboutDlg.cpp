#include "ui/CAboutDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/ControlIds.h"

namespace ostrin::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Ostrin_CFG"));
  setAccessibleName(windowTitle());
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
  auto* version = new QLabel(QStringLiteral("Ostrin Configuration Tool  Version 1.1.17"), this);
  auto* second = new QLabel(QStringLiteral("Configures the Ostrin three-port repeater controller\n"
                                           "over its serial port."),
                            this);
  version->setAccessibleName(version->text());
  second->setAccessibleName(second->text());
  auto* ok = Identify(new QPushButton(QStringLiteral("OK"), this), 1, QStringLiteral("OK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(version);
  texts->addWidget(second);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  top->addWidget(ok, 0, Qt::AlignTop);
  (new QVBoxLayout(this))->addLayout(top);
}

}  // namespace ostrin::ui
