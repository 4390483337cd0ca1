// ostrin-cfg: the desktop tool. Starts the GUI, names the settings store and
// runs the main window for the life of the program.
#include <QApplication>
#include <QCommandLineParser>
#include <QSerialPortInfo>

#include "ui/COstrin_CFGDlg.h"

namespace {

QStringList serialPortNames() {
  QStringList names;
  const auto ports = QSerialPortInfo::availablePorts();
  for (const QSerialPortInfo& port : ports) names << port.systemLocation();
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ostrin_CFG"));
  QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
  QApplication::setApplicationVersion(QStringLiteral("1.1.17"));

  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral("Ostrin configuration tool"));
  options.addHelpOption();
  options.addVersionOption();
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("The serial port to preselect."),
                                QStringLiteral("PATH"));
  options.addOption(port);
  options.process(app);

  ostrin::ui::COstrin_CFGDlg window(serialPortNames(), options.value(port));
  window.exec();
  return 0;
}
