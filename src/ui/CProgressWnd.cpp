#include "ui/CProgressWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>
#include <cmath>

#include "ui/ControlIds.h"

namespace ostrin::ui {
namespace {

QSettings progressSettings() {
  return QSettings(QString::fromLatin1(ProgressSettingsOrganisation),
                   QString::fromLatin1(ProgressSettingsApplication));
}

int roundedPercent(int position, int lower, int upper) {
  if (upper <= lower) return 0;
  return static_cast<int>(std::floor((position - lower) * 100.0 / (upper - lower) + 0.5));
}

}  // namespace

CProgressWnd::CProgressWnd()
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancelButton_(new QPushButton(QStringLiteral(" Cancel "), this)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  Identify(text_, 11, QStringLiteral("Progress text"));
  Identify(bar_, 12, QStringLiteral("Progress"));
  Identify(cancelButton_, 10, QStringLiteral("Cancel"));
  text_->setTextFormat(Qt::PlainText);
  text_->setWordWrap(false);
  text_->setMinimumWidth(390);
  text_->setMinimumHeight(QFontMetrics(text_->font()).lineSpacing() * 4);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  bar_->setTextVisible(false);

  auto* row = new QHBoxLayout;
  row->addWidget(bar_, 1);
  row->addSpacing(10);
  row->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(text_);
  layout->addSpacing(10);
  layout->addLayout(row);
  connect(cancelButton_, &QPushButton::clicked, this, &CProgressWnd::cancel);
}

CProgressWnd::~CProgressWnd() {
  if (exists_) DestroyWindow();
}

bool CProgressWnd::Create(QWidget* owner, const QString& title, bool smooth) {
  owner_ = owner;
  title_ = title;
  setWindowTitle(title_);
  setAccessibleName(title_);
  bar_->setStyleSheet(smooth ? QString() : QStringLiteral("QProgressBar::chunk { width: 8px; margin: 1px; }"));
  bar_->setRange(lower_, upper_);
  adjustSize();
  setFixedSize(sizeHint());
  exists_ = true;
  restorePosition();
  show();
  return true;
}

void CProgressWnd::GoModal() {
  if (!exists_) Create(QApplication::activeWindow(), QStringLiteral("Progress"), false);
  for (QWidget* window = owner_ ? owner_->window() : nullptr; window && window->isEnabled();) {
    disabledWindow_ = window;
    QWidget* parent = window->parentWidget();
    window = parent ? parent->window() : nullptr;
  }
  if (disabledWindow_) disabledWindow_->setEnabled(false);
  setEnabled(true);
  modal_ = true;
}

void CProgressWnd::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
  bar_->setRange(lower, upper);
}

void CProgressWnd::SetStep(int step) { step_ = step; }

void CProgressWnd::SetText(std::string_view text) {
  SetText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void CProgressWnd::SetText(const QString& text) {
  if (!exists_) return;
  text_->setText(text.left(511));
  text_->setAccessibleName(text_->text());
}

int CProgressWnd::SetPosition(int position) {
  const int previous = position_;
  if (!exists_) return previous;
  if (isHidden()) Show();
  position_ = position;
  const int percent = roundedPercent(position, lower_, upper_);
  if (percent != percentShown_) {
    percentShown_ = percent;
    setWindowTitle(QStringLiteral("%1 [%2%]").arg(title_).arg(percent));
  }
  bar_->setValue(position);
  return previous;
}

void CProgressWnd::Show() {
  if (exists_ && isHidden()) show();
}

void CProgressWnd::Hide() {
  if (exists_ && isVisible()) hide();
}

void CProgressWnd::PeekAndPump() {
  if (modal_ && exists_ && isVisible() && !hasFocus()) setFocus();
  if (!cancelled_) QCoreApplication::processEvents();
}

void CProgressWnd::DestroyWindow() {
  if (!exists_) return;
  savePosition();
  if (modal_) {
    modal_ = false;
    if (disabledWindow_) disabledWindow_->setEnabled(true);
    disabledWindow_ = nullptr;
  }
  exists_ = false;
  hide();
}

void CProgressWnd::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    cancel();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CProgressWnd::closeEvent(QCloseEvent* event) {
  event->ignore();
  cancel();
}

void CProgressWnd::cancel() {
  if (!exists_) return;
  savePosition();
  cancelled_ = true;
  hide();
  if (modal_) DestroyWindow();
  if (QWidget* main = owner_ ? owner_->window() : nullptr) main->activateWindow();
}

void CProgressWnd::savePosition() const {
  QSettings settings = progressSettings();
  settings.beginGroup(QStringLiteral("Settings"));
  settings.setValue(QStringLiteral("X"), pos().x());
  settings.setValue(QStringLiteral("Y"), pos().y());
}

void CProgressWnd::restorePosition() {
  QSettings settings = progressSettings();
  settings.beginGroup(QStringLiteral("Settings"));
  const int x = settings.value(QStringLiteral("X"), -1).toInt();
  const int y = settings.value(QStringLiteral("Y"), -1).toInt();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect();
  if (x >= 0 && x < area.width() && y >= 0 && y < area.height()) {
    move(x, y);
    return;
  }
  const QRect over = owner_ ? owner_->window()->frameGeometry() : area;
  move(over.center() - rect().center());
}

}  // namespace ostrin::ui
