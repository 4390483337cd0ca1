// How the main window keeps up while Upload ALL reads every parameter from
// the simulated controller at the line rate: the gaps between the runs of a
// 10 ms timer on the GUI thread, and how often the progress bar and the
// status log repaint. Prints one report; run on the offscreen platform.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "FixedPrompts.h"
#include "protocol/CommsWorker.h"
#include "support/SimulatedController.h"
#include "ui/COstrin_CFGDlg.h"
#include "ui/ControlIds.h"

namespace ostrin::ui {
namespace {

class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

double percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

int run() {
  SimulatedController sim("--pace");
  if (sim.Port().empty()) {
    std::fprintf(stderr, "the simulated controller did not start\n");
    return 1;
  }
  FixedPrompts prompts(QString(), true);
  COstrin_CFGDlg window(QStringList{}, QString::fromStdString(sim.Port()));
  window.show();
  QApplication::processEvents();
  PaintCounter bar(FindControl(&window, MainId::ProgressBar));
  // The log is a scroll area: its text is painted by its viewport.
  PaintCounter log(FindControlAs<QAbstractScrollArea>(&window, MainId::StatusLog)->viewport());

  std::vector<double> gaps;
  QElapsedTimer sinceTick;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    gaps.push_back(static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
    sinceTick.restart();
  });
  QElapsedTimer total;
  total.start();
  sinceTick.start();
  timer.start(10);
  FindControlAs<QPushButton>(&window, MainId::UploadAll)->click();
  while (JobRunning()) QApplication::processEvents(QEventLoop::AllEvents, 5);
  timer.stop();
  const double seconds = static_cast<double>(total.elapsed()) / 1000.0;

  std::printf("Upload ALL at the line rate: %.2f s, %d message(s)\n", seconds, prompts.messages);
  std::printf("10 ms timer: %zu runs, gap median %.1f ms, p99 %.1f ms, max %.1f ms\n", gaps.size(),
              percentile(gaps, 0.5), percentile(gaps, 0.99), percentile(gaps, 1.0));
  std::printf("repaints: progress bar %d, status log %d\n", bar.paints, log.paints);
  return 0;
}

}  // namespace
}  // namespace ostrin::ui

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The progress window's position goes to a settings store of its own, not the user's.
  const QTemporaryDir settings;
  if (settings.isValid()) qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication application(argc, argv);
  return ostrin::ui::run();
}
