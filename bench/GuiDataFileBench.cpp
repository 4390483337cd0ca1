// What the main window adds to Open DATA File and Save DATA File: the same
// full data file opened and saved through the window's buttons (file dialog
// answered at once, the save's progress window shown, its message recorded)
// beside the core's own calls. Runs on the offscreen platform; the file is
// written without fsync in both, so the difference is the window's own work.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

#include "FixedPrompts.h"
#include "FullDataFile.h"
#include "datafile/DataFile.h"
#include "datafile/FileIo.h"
#include "ui/COstrin_CFGDlg.h"
#include "ui/ControlIds.h"

namespace ostrin::ui {
namespace {

struct Window {
  FixedPrompts prompts{QString::fromStdString(fullFile().path)};
  COstrin_CFGDlg window{QStringList{}, QString()};
  Window() {
    SetDataFileSync(false);
    window.show();
    QApplication::processEvents();
  }
  void click(int id) {
    FindControlAs<QPushButton>(&window, id)->click();
    QApplication::processEvents();
  }
};

void BM_CoreOpen(benchmark::State& state) {
  for (auto _ : state) OpenDataFile(fullFile().path);
}
BENCHMARK(BM_CoreOpen)->Unit(benchmark::kMillisecond);

void BM_WindowOpen(benchmark::State& state) {
  Window gui;
  for (auto _ : state) gui.click(MainId::OpenDataFile);
}
BENCHMARK(BM_WindowOpen)->Unit(benchmark::kMillisecond);

void BM_CoreSave(benchmark::State& state) {
  SetDataFileSync(false);
  for (auto _ : state) SaveDataFile(fullFile().path, nullptr);
}
BENCHMARK(BM_CoreSave)->Unit(benchmark::kMillisecond);

void BM_WindowSave(benchmark::State& state) {
  Window gui;
  for (auto _ : state) gui.click(MainId::SaveDataFile);
}
BENCHMARK(BM_WindowSave)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrin::ui

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The progress window's position goes to a settings store of its own, not the user's.
  const QTemporaryDir settings;
  if (settings.isValid()) qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
