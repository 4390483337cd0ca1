#include "ui/COstrin_CFGDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

#include "datafile/DataFile.h"
#include "datafile/DataFileName.h"
#include "editors/AnalogDialog.h"
#include "editors/CourtesyTonesDialog.h"
#include "editors/DtmfMemoryDialog.h"
#include "editors/IdsDialog.h"
#include "editors/LogicAlarmsDialog.h"
#include "editors/MacrosDialog.h"
#include "editors/MessageMacrosDialog.h"
#include "editors/PortSwitchesDialog.h"
#include "editors/SchedClockDialog.h"
#include "editors/AccessCodesDialog.h"
#include "editors/TimersDialog.h"
#include "link/SerialLink.h"
#include "model/ParameterStore.h"
#include "protocol/CommsWorker.h"
#include "protocol/Maintenance.h"
#include "protocol/TransferButtons.h"
#include "ui/CAboutDlg.h"
#include "ui/CProgressWnd.h"
#include "ui/ControlIds.h"
#include "ui/GuiFrontEnd.h"
#include "ui/Prompts.h"

namespace ostrin::ui {
namespace {

constexpr int MaxPortNames = 128;

QString fromCore(const std::string& text) { return QString::fromLocal8Bit(text); }

QPushButton* button(QWidget* parent, int id, const QString& caption) {
  auto* b = Identify(new QPushButton(caption, parent), id, OneLine(caption));
  b->setAutoDefault(false);
  return b;
}

QGroupBox* group(const QString& title) {
  auto* box = new QGroupBox(title);
  box->setAccessibleName(title);
  return box;
}

QSettings portSettings() { return QSettings(QString::fromLatin1(PortSettingsOrganisation), QString()); }

// The port number of a Windows-style name "COMn" (read from its fourth character on).
int comNumber(const QString& name) { return name.mid(3).toInt(); }
bool isComName(const QString& name) { return name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive); }

}  // namespace

const std::array<CategoryButton, 11>& CategoryButtons() {
  static const std::array<CategoryButton, 11> buttons{{
      {1009, "Timers", OpenTimersDialog},
      {1008, "Courtesy Tones", OpenCourtesyTonesDialog},
      {1007, "Macros", OpenMacrosDialog},
      {1006, "Scheduler/Clock", OpenSchedClockDialog},
      {1005, "Analog", OpenAnalogDialog},
      {1004, "IDs", OpenIdsDialog},
      {1003, "Messages", OpenMessageMacrosDialog},
      {1012, "DTMF", OpenDtmfMemoryDialog},
      {1002, "Logic Alarms", OpenLogicAlarmsDialog},
      {1001, "Special Codes", OpenSpecialCodesDialog},
      {1000, "Port Switches", OpenPortSwitchesDialog},
  }};
  return buttons;
}

COstrin_CFGDlg::COstrin_CFGDlg(QStringList portNames, const QString& preselectedPort, QWidget* parent)
    : QDialog(parent), frontEnd_(std::make_unique<GuiFrontEnd>(*this)) {
  setWindowTitle(QStringLiteral("Ostrin Configuration Tool v1.1.17 by Zelquin"));
  setAccessibleName(windowTitle());
  setWindowFlag(Qt::WindowMinMaxButtonsHint);
  buildControls();
  fillPortList(portNames, preselectedPort);
  SetPortName(comPort_->currentText().toStdString());
  connect(comPort_, &QComboBox::currentTextChanged, this, &COstrin_CFGDlg::portSelected);
  SetTransferProgress(0);
  SetPendingCount(0);
  dataFileName_->setText(fromCore(CurrentDataFileName()));
  AppendStatus(QStringLiteral("Vexil v1.1.17\r\n"));
  ResetStore();
  InstallFrontEnd(frontEnd_.get());
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &COstrin_CFGDlg::tick);
  timer_->start(10);
  StartCommsWorker();
  setCategoryButtonsEnabled(false);
}

COstrin_CFGDlg::~COstrin_CFGDlg() {
  stopController();
  InstallFrontEnd(nullptr);
}

// Stops the comms worker and closes the port. The worker may be waiting for
// this thread to show its last report, so this thread keeps pumping until the
// worker has ended.
void COstrin_CFGDlg::stopController() {
  frontEnd_->StartClosing();
  RequestWorkerStop();
  ClosePort();
  LinkOpen = 0;  // the window is gone: the next window opens its own port
  while (!CommsWorkerStopped()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  JoinCommsWorker();
}

void COstrin_CFGDlg::buildControls() {
  auto* exit = button(this, MainId::Exit, QStringLiteral("EXIT"));
  exit->setDefault(true);
  exit->setAutoDefault(true);
  connect(exit, &QPushButton::clicked, this, &COstrin_CFGDlg::exitProgram);
  auto* about = new QPushButton(QStringLiteral("About Ostrin_CFG..."), this);
  about->setAccessibleName(about->text());
  about->setAutoDefault(false);
  connect(about, &QPushButton::clicked, this, [this] { CAboutDlg(this).exec(); });

  auto* columns = new QHBoxLayout;
  columns->addWidget(buildCategoryGroup());
  auto* middle = new QVBoxLayout;
  middle->addWidget(buildDataFileGroup());
  middle->addWidget(buildControllerGroup());
  columns->addLayout(middle);
  columns->addWidget(buildStatusGroup(), 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(about);
  bottom->addStretch(1);
  bottom->addWidget(exit);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(bottom);
}

QWidget* COstrin_CFGDlg::buildCategoryGroup() {
  auto* box = group(QStringLiteral("Select Configuration Category:"));
  auto* grid = new QVBoxLayout(box);
  for (const CategoryButton& category : CategoryButtons()) {
    auto* b = button(box, category.id, QString::fromLatin1(category.caption));
    b->setMinimumHeight(30);
    connect(b, &QPushButton::clicked, this, [this, &category] { openCategory(category); });
    grid->addWidget(b);
  }
  grid->addStretch(1);
  return box;
}

QWidget* COstrin_CFGDlg::buildDataFileGroup() {
  auto* box = group(QStringLiteral("Data File"));
  auto* open = button(box, MainId::OpenDataFile, QStringLiteral("Open\nDATA\nFile"));
  auto* save = button(box, MainId::SaveDataFile, QStringLiteral("Save\nDATA\nFile"));
  auto* fullPath = button(box, MainId::ShowFullPath, QStringLiteral("Show Full Path"));
  connect(open, &QPushButton::clicked, this, &COstrin_CFGDlg::openDataFile);
  connect(save, &QPushButton::clicked, this, &COstrin_CFGDlg::saveDataFile);
  connect(fullPath, &QPushButton::clicked, this, &COstrin_CFGDlg::showFullPath);

  dataFileName_ = Identify(new QLineEdit(box), MainId::DataFileName, QStringLiteral("Data File:"));
  dataFileName_->setReadOnly(true);
  dataFileName_->setMinimumWidth(180);
  pendingCount_ = Identify(new QLineEdit(box), MainId::PendingCount, QStringLiteral("Number of Pending Changes:"));
  pendingCount_->setReadOnly(true);
  pendingCount_->setMaximumWidth(70);

  auto* grid = new QGridLayout(box);
  grid->addWidget(open, 0, 0, 3, 1);
  grid->addWidget(save, 0, 1, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("Data File:"), box), 0, 2);
  grid->addWidget(dataFileName_, 0, 3);
  grid->addWidget(fullPath, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Number of\nPending Changes:"), box), 2, 2);
  grid->addWidget(pendingCount_, 2, 3, Qt::AlignLeft);
  return box;
}

QWidget* COstrin_CFGDlg::buildControllerGroup() {
  auto* box = group(QStringLiteral("Ostrin"));
  auto* portBox = group(QStringLiteral("COM Port Selection:"));
  comPort_ = Identify(new QComboBox(portBox), MainId::ComPort, QStringLiteral("COM Port Selection:"));
  comPort_->setEditable(true);
  comPort_->setInsertPolicy(QComboBox::NoInsert);
  comPort_->setMinimumWidth(200);
  (new QVBoxLayout(portBox))->addWidget(comPort_);

  auto* downloadAll = group(QStringLiteral("Download All Parameters"));
  downloadAllYes_ = Identify(new QCheckBox(QStringLiteral("Yes"), downloadAll), MainId::DownloadAllYes,
                             QStringLiteral("Download All Parameters: Yes"));
  (new QVBoxLayout(downloadAll))->addWidget(downloadAllYes_);

  auto* fwVersion = group(QStringLiteral("FW Version"));
  ignoreVersion_ = Identify(new QCheckBox(QStringLiteral("Ignore"), fwVersion), MainId::IgnoreVersion,
                            QStringLiteral("FW Version: Ignore"));
  auto* getVersion = button(fwVersion, MainId::GetVersion, QStringLiteral("Get Version"));
  connect(getVersion, &QPushButton::clicked, this, [] { GetVersionButton(); });
  auto* fwLayout = new QHBoxLayout(fwVersion);
  fwLayout->addWidget(getVersion);
  fwLayout->addWidget(ignoreVersion_);

  auto* defaultBox = group(QStringLiteral("Default All CFG"));
  auto* defaultAll = button(defaultBox, MainId::DefaultAll, QStringLiteral("DEFAULT"));
  (new QVBoxLayout(defaultBox))->addWidget(defaultAll);
  auto* eraseBox = group(QStringLiteral("ERASE All NVM"));
  auto* eraseAll = button(eraseBox, MainId::EraseAll, QStringLiteral("ERASE"));
  (new QVBoxLayout(eraseBox))->addWidget(eraseAll);
  auto* upload = button(box, MainId::UploadAll, QStringLiteral("Upload ALL\nFrom Ostrin"));
  auto* download = button(box, MainId::Download, QStringLiteral("Download\nTo Ostrin"));
  auto* commit = button(box, MainId::Commit, QStringLiteral("Commit Ostrin Changes"));
  auto* restart = button(box, MainId::Restart, QStringLiteral("Restart Ostrin"));
  auto* setClock = button(box, MainId::SetClock, QStringLiteral("Set Clock"));
  connect(defaultAll, &QPushButton::clicked, this, [] { DefaultAllButton(); });
  connect(eraseAll, &QPushButton::clicked, this, [] { EraseAllButton(); });
  connect(upload, &QPushButton::clicked, this, [this] { UploadAllButton(ignoreVersion_->isChecked()); });
  connect(download, &QPushButton::clicked, this,
          [this] { DownloadButton(ignoreVersion_->isChecked(), downloadAllYes_->isChecked()); });
  connect(commit, &QPushButton::clicked, this, [this] { CommitButton(ignoreVersion_->isChecked()); });
  connect(restart, &QPushButton::clicked, this, [] { RestartButton(); });
  connect(setClock, &QPushButton::clicked, this, [] { SetClockButton(); });

  auto* grid = new QGridLayout(box);
  grid->addWidget(portBox, 0, 0, 1, 2);
  grid->addWidget(upload, 1, 0);
  grid->addWidget(download, 1, 1);
  grid->addWidget(downloadAll, 2, 1);
  grid->addWidget(commit, 2, 0);
  grid->addWidget(fwVersion, 3, 0, 1, 2);
  grid->addWidget(restart, 4, 0);
  grid->addWidget(setClock, 4, 1);
  grid->addWidget(defaultBox, 5, 0);
  grid->addWidget(eraseBox, 5, 1);
  return box;
}

QWidget* COstrin_CFGDlg::buildStatusGroup() {
  auto* box = group(QStringLiteral("Communication Status"));
  statusLog_ = Identify(new QPlainTextEdit(box), MainId::StatusLog, QStringLiteral("Communication Status"));
  statusLog_->setReadOnly(true);
  statusLog_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  statusLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
  statusLog_->setMinimumWidth(420);
  progressBar_ = Identify(new QProgressBar(box), MainId::ProgressBar, QStringLiteral("Transfer progress"));
  progressBar_->setRange(0, 100);
  progressBar_->setTextVisible(false);
  progressBar_->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: rgb(0, 255, 0); }"));
  percentage_ = Identify(new QLineEdit(box), MainId::Percentage, QStringLiteral("Transfer percentage"));
  percentage_->setReadOnly(true);
  percentage_->setMaximumWidth(60);
  auto* erase = button(box, MainId::EraseStatus, QStringLiteral("Erase Status Window"));
  connect(erase, &QPushButton::clicked, this, &COstrin_CFGDlg::eraseStatusWindow);
  auto* cancel = button(box, MainId::CancelComms, QStringLiteral("Cancel  Comms"));
  connect(cancel, &QPushButton::clicked, this, [] { CancelComms(); });

  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(progressBar_, 1);
  progressRow->addWidget(percentage_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(erase);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(statusLog_, 1);
  layout->addLayout(progressRow);
  layout->addLayout(buttons);
  return box;
}

void COstrin_CFGDlg::fillPortList(const QStringList& portNames, const QString& preselectedPort) {
  QStringList names = portNames.mid(0, MaxPortNames);
  names.sort(Qt::CaseInsensitive);
  comPort_->addItems(names);
  if (preselectedPort.isEmpty()) {
    selectRememberedPort();
    return;
  }
  if (comPort_->findText(preselectedPort) < 0) comPort_->addItem(preselectedPort);
  comPort_->setCurrentIndex(comPort_->findText(preselectedPort));
}

// The remembered port: a COMn number as on Windows, or a device path.
void COstrin_CFGDlg::selectRememberedPort() {
  QSettings settings = portSettings();
  QString text = QStringLiteral("COM1");
  if (!settings.contains(QString::fromLatin1(PortSettingsKey))) {
    settings.setValue(QString::fromLatin1(PortSettingsKey), 1);
  } else {
    const QVariant value = settings.value(QString::fromLatin1(PortSettingsKey));
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    text = isNumber ? QStringLiteral("COM%1").arg(number & 0xFF) : value.toString();
  }
  for (int i = 0; i < comPort_->count(); ++i) {
    if (comPort_->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
      comPort_->setCurrentIndex(i);
      return;
    }
  }
  if (comPort_->count() > 0) comPort_->setCurrentIndex(0);
}

void COstrin_CFGDlg::portSelected(const QString& name) {
  SetPortName(name.toStdString());
  QSettings settings = portSettings();
  if (!settings.contains(QString::fromLatin1(PortSettingsKey))) return;
  if (isComName(name)) {
    settings.setValue(QString::fromLatin1(PortSettingsKey), comNumber(name) & 0xFF);
  } else {
    settings.setValue(QString::fromLatin1(PortSettingsKey), name);
  }
}

void COstrin_CFGDlg::AppendStatus(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QTextCursor cursor = statusLog_->textCursor();
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(lines);
  statusLog_->setTextCursor(cursor);
  statusLog_->ensureCursorVisible();
}

QString COstrin_CFGDlg::StatusText() const { return statusLog_->toPlainText(); }

void COstrin_CFGDlg::SetTransferProgress(int percent) {
  progressBar_->setValue(percent);
  percentage_->setText(QStringLiteral("%1%").arg(percent));
}

void COstrin_CFGDlg::SetPendingCount(int count) { pendingCount_->setText(QString::number(count)); }

void COstrin_CFGDlg::EnableCategoryButtons() { setCategoryButtonsEnabled(true); }

void COstrin_CFGDlg::setCategoryButtonsEnabled(bool enabled) {
  for (const CategoryButton& category : CategoryButtons()) FindControl(this, category.id)->setEnabled(enabled);
}

void COstrin_CFGDlg::openCategory(const CategoryButton& button) {
  button.openDialog(this);
  activateWindow();
  SetPendingCount(CountPending());
}

void COstrin_CFGDlg::openDataFile() {
  const auto path = CurrentPrompts().OpenDataFileName(this);
  if (!path) return;
  dataFileName_->setText(QFileInfo(*path).fileName());
  OpenDataFile(path->toStdString());
  EnableCategoryButtons();
}

void COstrin_CFGDlg::saveDataFile() {
  const auto path = CurrentPrompts().SaveDataFileName(this);
  if (!path) {
    activateWindow();
    return;
  }
  CProgressWnd progress;
  progress.Create(this, QStringLiteral("Save ALL"), true);
  progress.GoModal();
  progress.Show();
  progress.SetRange(0, 100);
  progress.SetStep(1);
  const QString previousName = dataFileName_->text();
  dataFileName_->setText(QFileInfo(*path).fileName());
  const SaveResult result = SaveDataFile(path->toStdString(), &progress);
  progress.Hide();
  progress.PeekAndPump();
  if (result.ok()) {
    CurrentPrompts().Message(
        this, QStringLiteral("INFORMATION: Data File in use is now %1").arg(QFileInfo(*path).fileName()), QString());
  } else {
    dataFileName_->setText(previousName);
    CurrentPrompts().Message(this, QStringLiteral("ERROR: Data File was not saved.\n%1").arg(fromCore(result.reason)),
                             QString());
  }
  progress.DestroyWindow();
  activateWindow();
}

void COstrin_CFGDlg::showFullPath() { CurrentPrompts().Message(this, fromCore(CurrentDataFileName()), QString()); }

void COstrin_CFGDlg::eraseStatusWindow() {
  statusLog_->clear();
  SetTransferProgress(0);
}

void COstrin_CFGDlg::exitProgram() {
  accept();
  stopController();
}

void COstrin_CFGDlg::reject() {
  frontEnd_->StartClosing();
  QDialog::reject();
}

// The 10 ms tick: the link's timers, and the buttons that would start an
// exchange competing with a running job stand disabled while it runs.
void COstrin_CFGDlg::tick() {
  TickLinkTimers();
  const bool idle = !JobRunning();
  if (controllerButtonsEnabled_ == idle) return;
  controllerButtonsEnabled_ = idle;
  for (const int id : {MainId::GetVersion, MainId::Restart, MainId::SetClock, MainId::DefaultAll, MainId::EraseAll,
                       MainId::UploadAll, MainId::Download, MainId::Commit}) {
    FindControl(this, id)->setEnabled(idle);
  }
}

}  // namespace ostrin::ui
