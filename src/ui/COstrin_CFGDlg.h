// The main window: the COM port, the data file, the eleven category buttons,
// the controller operations and the "Communication Status" log.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ostrin::ui {

class GuiFrontEnd;

// Control ids of the main window.
namespace MainId {
inline constexpr int Exit = 1;
inline constexpr int OpenDataFile = 1013;
inline constexpr int SaveDataFile = 1014;
inline constexpr int Download = 1015;
inline constexpr int UploadAll = 1016;
inline constexpr int Restart = 1017;
inline constexpr int GetVersion = 1018;
inline constexpr int SetClock = 1019;
inline constexpr int PendingCount = 1100;
inline constexpr int ShowFullPath = 1254;
inline constexpr int DataFileName = 1108;
inline constexpr int DefaultAll = 1255;
inline constexpr int EraseAll = 1256;
inline constexpr int ComPort = 1011;
inline constexpr int DownloadAllYes = 1105;
inline constexpr int Commit = 1103;
inline constexpr int StatusLog = 1104;
inline constexpr int ProgressBar = 1143;
inline constexpr int Percentage = 1144;
inline constexpr int EraseStatus = 1102;
inline constexpr int CancelComms = 1106;
inline constexpr int IgnoreVersion = 1323;
}  // namespace MainId

// One category button: its id, caption and the dialog it opens.
struct CategoryButton {
  int id;
  const char* caption;
  // Runs the category's dialog modally.
  void (*openDialog)(QWidget* parent);
};

// The eleven category buttons in the order they are enabled and disabled.
const std::array<CategoryButton, 11>& CategoryButtons();

// Where the main window keeps the chosen port.
inline constexpr const char* PortSettingsOrganisation = "Zelquin-Vexil";
inline constexpr const char* PortSettingsKey = "COM_PORT";

class COstrin_CFGDlg final : public QDialog {
  Q_OBJECT

 public:
  // portNames: the machine's serial ports; preselectedPort: a port to select
  // instead of the remembered one (empty for none).
  COstrin_CFGDlg(QStringList portNames, const QString& preselectedPort, QWidget* parent = nullptr);
  ~COstrin_CFGDlg() override;

  void AppendStatus(const QString& text);
  void SetTransferProgress(int percent);
  void SetPendingCount(int count);
  void EnableCategoryButtons();

  QString StatusText() const;

 protected:
  void reject() override;  // the close box and Escape end the window without EXIT's steps

 private:
  void buildControls();
  QWidget* buildCategoryGroup();
  QWidget* buildDataFileGroup();
  QWidget* buildControllerGroup();
  QWidget* buildStatusGroup();
  void fillPortList(const QStringList& portNames, const QString& preselectedPort);
  void selectRememberedPort();
  void portSelected(const QString& name);
  void setCategoryButtonsEnabled(bool enabled);
  void openCategory(const CategoryButton& button);
  void openDataFile();
  void saveDataFile();
  void showFullPath();
  void eraseStatusWindow();
  void exitProgram();
  void tick();
  void stopController();

  std::unique_ptr<GuiFrontEnd> frontEnd_;
  QComboBox* comPort_ = nullptr;
  QLineEdit* pendingCount_ = nullptr;
  QLineEdit* dataFileName_ = nullptr;
  QPlainTextEdit* statusLog_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLineEdit* percentage_ = nullptr;
  QCheckBox* downloadAllYes_ = nullptr;
  QCheckBox* ignoreVersion_ = nullptr;
  QTimer* timer_ = nullptr;
  bool controllerButtonsEnabled_ = true;
};

}  // namespace ostrin::ui
