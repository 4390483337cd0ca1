// The progress window of every data-file save: a small top-level tool window
// with a title that carries the percentage, up to four lines of text, a bar and
// a " Cancel " button. While it is modal the topmost enabled window of its
// owner chain is disabled. The work runs on the GUI thread and calls
// PeekAndPump between steps; a cancel only closes the window.
#pragma once

#include <QString>
#include <QWidget>

#include "datafile/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace ostrin::ui {

class CProgressWnd final : public QWidget, public ProgressSink {
  Q_OBJECT

 public:
  CProgressWnd();
  ~CProgressWnd() override;

  // Creates and shows the window over its owner, at its remembered position
  // when that lies on the screen. Returns true.
  bool Create(QWidget* owner, const QString& title, bool smooth);
  void GoModal();
  void SetRange(int lower, int upper);
  void SetStep(int step);
  void SetText(std::string_view text) override;
  void SetText(const QString& text);
  // Returns the previous position. Does nothing but that once the window is gone.
  int SetPosition(int position);
  void SetPos(int position) override { SetPosition(position); }
  void Show();
  void Hide();
  void PeekAndPump() override;
  // Saves the position, ends the modal state (re-enabling the owner chain) and
  // closes the window.
  void DestroyWindow();

  bool Cancelled() const { return cancelled_; }
  bool Exists() const { return exists_; }
  QString TitleText() const { return windowTitle(); }
  int Percent() const { return percentShown_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void cancel();
  void savePosition() const;
  void restorePosition();

  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* cancelButton_;
  QWidget* owner_ = nullptr;
  QWidget* disabledWindow_ = nullptr;
  QString title_ = QStringLiteral("Progress");
  int lower_ = 0;
  int upper_ = 100;
  int step_ = 1;
  int position_ = 0;
  int percentShown_ = 0;
  bool cancelled_ = false;
  bool modal_ = false;
  bool exists_ = false;
};

// Where the progress window keeps its position between runs.
inline constexpr const char* ProgressSettingsOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* ProgressSettingsApplication = "Ostrin_CFG";

}  // namespace ostrin::ui
