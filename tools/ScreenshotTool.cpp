// ostrin-screenshots: opens a data file in the main window as an operator
// does (Open DATA File, with the file dialog answered by this program), then
// saves a picture of the main window and of each category dialog filled from
// the file. Runs on any Qt platform; on a virtual X display (Xvfb) the
// pictures are what the tool looks like on a real desktop.
//
// Usage: ostrin-screenshots DATA-FILE OUT-DIR
// Prints the path of each picture it writes. Exit codes: 0 success, 1 a
// picture could not be written or the file did not open, 2 a usage error.
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "datafile/DataFileName.h"
#include "editors/AccessCodesDialog.h"
#include "editors/AnalogDialog.h"
#include "editors/CourtesyTonesDialog.h"
#include "editors/DtmfMemoryDialog.h"
#include "editors/IdsDialog.h"
#include "editors/LogicAlarmsDialog.h"
#include "editors/MacrosDialog.h"
#include "editors/MessageMacrosDialog.h"
#include "editors/PortSwitchesDialog.h"
#include "editors/SchedClockDialog.h"
#include "editors/TimersDialog.h"
#include "ui/COstrin_CFGDlg.h"
#include "ui/ControlIds.h"
#include "ui/Prompts.h"

namespace {

using namespace ostrin::ui;

// The port shown in the main window's COM port box; nothing opens it.
constexpr const char* shownPort = "/dev/ttyUSB0";

// The file dialog of Open DATA File picks the given file; every message box
// is printed instead of shown, and every question is answered Cancel.
class FilePrompts final : public Prompts {
 public:
  explicit FilePrompts(QString path) : path_(std::move(path)) { InstallPrompts(this); }
  ~FilePrompts() { InstallPrompts(nullptr); }
  FilePrompts(const FilePrompts&) = delete;
  FilePrompts& operator=(const FilePrompts&) = delete;

  void Message(QWidget*, const QString& text, const QString&) override { report(text); }
  bool OkCancel(QWidget*, const QString& text, const QString&) override {
    report(text);
    return false;
  }
  std::optional<QString> OpenDataFileName(QWidget*) override { return path_; }
  std::optional<QString> SaveDataFileName(QWidget*) override { return std::nullopt; }

 private:
  static void report(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }

  QString path_;
};

template <typename Dialog>
QDialog* make(QWidget* parent) {
  return new Dialog(parent);
}

struct Shot {
  const char* file;  // the picture's name, without ".png"
  QDialog* (*make)(QWidget* parent);
};

// The category dialogs in the order of the main window's buttons.
constexpr std::array<Shot, 11> dialogShots{{
    {"timers", make<Timers_Dialog>},
    {"courtesy-tones", make<Courtesy_Tones>},
    {"macros", make<Macros_Dialog>},
    {"scheduler-clock", make<Sched_Clock_Dialog>},
    {"analog", make<Analog>},
    {"ids", make<IDs>},
    {"message-macros", make<Message_Macros>},
    {"dtmf-memories", make<DTMF_Memory>},
    {"logic-alarms", make<Logic_Alarms_Dialog>},
    {"special-codes", make<Special_Codes_Dialog>},
    {"port-switches", make<Port_Switches>},
}};

// Shows the window and lets the platform map, lay out and paint it. A real
// display exposes a window a little later than show() returns; the wait is
// bounded so that a display without exposure events still gets its picture.
void showSettled(QWidget* widget) {
  widget->show();
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    const QWindow* window = widget->windowHandle();
    if (window && window->isExposed()) break;
  }
  for (int round = 0; round < 5; ++round) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool savePicture(QWidget* widget, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  if (!widget->grab().save(path, "PNG")) {
    std::fprintf(stderr, "ostrin-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // The main window remembers its port in the user's settings: this run keeps
  // a settings folder of its own and leaves the user's alone.
  QTemporaryDir settingsFolder;
  if (settingsFolder.isValid()) ::setenv("XDG_CONFIG_HOME", qPrintable(settingsFolder.path()), 1);

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ostrin_CFG"));
  QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
  QApplication::setApplicationVersion(QStringLiteral("1.1.17"));

  QCommandLineParser options;
  options.setApplicationDescription(
      QStringLiteral("Saves pictures of the main window and of each category dialog filled from a data file."));
  options.addHelpOption();
  options.addPositionalArgument(QStringLiteral("data-file"), QStringLiteral("The data file to open."));
  options.addPositionalArgument(QStringLiteral("out-dir"), QStringLiteral("The folder for the PNG files."));
  options.process(app);
  const QStringList arguments = options.positionalArguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "Usage: ostrin-screenshots DATA-FILE OUT-DIR\n");
    return 2;
  }
  const QFileInfo dataFile(arguments.at(0));
  if (!dataFile.isFile()) {
    std::fprintf(stderr, "ostrin-screenshots: no data file %s\n", qPrintable(arguments.at(0)));
    return 2;
  }
  QDir folder(arguments.at(1));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "ostrin-screenshots: cannot make the folder %s\n", qPrintable(arguments.at(1)));
    return 2;
  }

  FilePrompts prompts(dataFile.absoluteFilePath());
  COstrin_CFGDlg window(QStringList{QString::fromLatin1(shownPort)}, QString::fromLatin1(shownPort));
  showSettled(&window);
  FindControlAs<QPushButton>(&window, MainId::OpenDataFile)->click();
  if (QString::fromStdString(ostrin::CurrentDataFileName()) != dataFile.absoluteFilePath() ||
      !FindControl(&window, CategoryButtons().front().id)->isEnabled()) {
    std::fprintf(stderr, "ostrin-screenshots: the main window did not open %s\n", qPrintable(arguments.at(0)));
    return 1;
  }
  showSettled(&window);

  bool ok = savePicture(&window, folder, QStringLiteral("main-window"));
  for (const Shot& shot : dialogShots) {
    // Shown beside the main window, never run modally: the picture is taken
    // while the dialog is open, and it closes without a save or a cancel.
    std::unique_ptr<QDialog> dialog(shot.make(&window));
    dialog->setModal(false);
    showSettled(dialog.get());
    ok = savePicture(dialog.get(), folder, QString::fromLatin1(shot.file)) && ok;
    dialog->hide();
  }
  return ok ? 0 : 1;
}
