#include "editors/AccessCodesDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "datafile/DataFileName.h"
#include "editors/AccessCodesFile.h"
#include "model/ParameterStore.h"

namespace ostrin::ui {
namespace {

constexpr int rangeWidth = 3;

QString latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }
std::string bytes(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

// The pre-access code and the range texts count only their first three characters.
std::string firstThree(const QLineEdit* box) { return bytes(box).substr(0, rangeWidth); }

std::int32_t value(int number) { return GetValue(number).current; }

// A caption on the left and the box with its note on the right, in one grid row.
void addRow(QGridLayout* grid, int row, const QString& label, QWidget* box, QLabel* note) {
  grid->addWidget(new QLabel(label, grid->parentWidget()), row, 0, Qt::AlignRight);
  grid->addWidget(box, row, 1);
  if (note != nullptr) grid->addWidget(note, row, 2);
}

}  // namespace

Special_Codes_Dialog::Special_Codes_Dialog(QWidget* parent) : CategoryDialog(parent, QStringLiteral("Special Codes")) {
  buildControls();
  if (!ControllerDataLoaded) LoadSpecialCodesFromDataFile();
  showCodes();
}

void Special_Codes_Dialog::buildControls() {
  auto* codes = Group(QStringLiteral("Unlock, Lock, Terminator"));
  auto* codeGrid = new QGridLayout(codes);
  for (std::size_t p = 0; p < unlockCodes_.size(); ++p) {
    const QString label = QStringLiteral("Port %1 Unlock").arg(p + 1);
    unlockCodes_[p] = Edit(1261 + static_cast<int>(p), label);
    addRow(codeGrid, static_cast<int>(p), label, unlockCodes_[p], Note(QStringLiteral("1 to 8 characters")));
  }
  globalLock_ = Edit(1264, QStringLiteral("Global Lock"));
  addRow(codeGrid, 3, QStringLiteral("Global Lock"), globalLock_, Note(QStringLiteral("1 to 4 characters")));
  terminator_ = Edit(1265, QStringLiteral("Terminator"));
  addRow(codeGrid, 4, QStringLiteral("Terminator"), terminator_, Note(QStringLiteral("single character")));

  auto* voice = Group(QStringLiteral("Voice Command Responses"));
  voiceResponses_ = Check(1271, QStringLiteral("Enabled"), QStringLiteral("Voice Command Responses: Enabled"));
  (new QVBoxLayout(voice))->addWidget(voiceResponses_);

  auto* padTest = Group(QStringLiteral("DTMF Pad Test"));
  auto* padGrid = new QGridLayout(padTest);
  padTest_ = Edit(1272, QStringLiteral("DTMF Pad Test Prefix"));
  addRow(padGrid, 0, QStringLiteral("Prefix"), padTest_, Note(QStringLiteral("1 to 5 characters")));

  auto* dr1x = Group(QStringLiteral("DR1X Mode Select"));
  dr1xMode_ = Check(1273, QStringLiteral("DR1X Mode Enabled"));
  (new QVBoxLayout(dr1x))->addWidget(dr1xMode_);

  auto* mute = Group(QStringLiteral("DTMF Mute Select"));
  auto* muteRow = new QHBoxLayout(mute);
  firstDigit_ = Radio(1274, QStringLiteral("1st Digit"), QStringLiteral("DTMF Mute Select: 1st Digit"));
  secondDigit_ = Radio(1275, QStringLiteral("2nd Digit"), QStringLiteral("DTMF Mute Select: 2nd Digit"));
  muteRow->addWidget(firstDigit_);
  muteRow->addWidget(secondDigit_);

  auto* preAccess = Group(QStringLiteral("DTMF Pre-Access Code"));
  preAccess_ = Edit(1286, QStringLiteral("DTMF Pre-Access Code"));
  (new QVBoxLayout(preAccess))->addWidget(preAccess_);

  auto* range = Group(QStringLiteral("DTMF Pre-Access Macro Range"));
  auto* rangeGrid = new QGridLayout(range);
  rangeStart_ = Edit(1287, QStringLiteral("Start Macro Num:"));
  rangeStop_ = Edit(1288, QStringLiteral("Stop Macro Num:"));
  addRow(rangeGrid, 0, QStringLiteral("Start Macro Num:"), rangeStart_, nullptr);
  addRow(rangeGrid, 1, QStringLiteral("Stop Macro Num:"), rangeStop_, nullptr);
  rangeGrid->addWidget(Note(QStringLiteral("(Inclusive)")), 2, 1);

  auto* linked = Group(QStringLiteral("Trigger IDs on Linked ports"));
  triggeredIds_ = Check(1276, QStringLiteral("Trigger IDs on Linked Ports"));
  (new QVBoxLayout(linked))->addWidget(triggeredIds_);

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Save, &Special_Codes_Dialog::saveChanges);

  auto* left = new QVBoxLayout;
  left->addWidget(codes);
  left->addWidget(padTest);
  left->addWidget(voice);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(preAccess);
  right->addWidget(range);
  right->addWidget(dr1x);
  right->addWidget(mute);
  right->addWidget(linked);
  right->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons.row);
}

void Special_Codes_Dialog::showCodes() {
  for (std::size_t p = 0; p < unlockCodes_.size(); ++p) {
    unlockCodes_[p]->setText(latin1(StoredCodeText(1000 * static_cast<int>(p + 1) + UnlockCodeOffset)));
  }
  globalLock_->setText(latin1(StoredCodeText(GlobalLockNumber)));
  padTest_->setText(latin1(StoredCodeText(PadTestNumber)));
  preAccess_->setText(latin1(StoredCodeText(PreAccessNumber)));
  const PreAccessRangeRecord range = GetPreAccessRange();
  rangeStart_->setText(latin1(FieldText(range.currentStart, rangeWidth)));
  rangeStop_->setText(latin1(FieldText(range.currentStop, rangeWidth)));
  terminator_->setText(latin1(TerminatorText(value(TerminatorNumber))));
  voiceResponses_->setChecked(value(VoiceResponsesNumber) != 0);
  dr1xMode_->setChecked(value(Dr1xModeNumber) != 0);
  triggeredIds_->setChecked(value(TriggeredIdsNumber) != 0);
  const bool second = value(DtmfMuteNumber) != 0;
  secondDigit_->setChecked(second);
  firstDigit_->setChecked(!second);
}

void Special_Codes_Dialog::takeCodes() {
  for (std::size_t p = 0; p < unlockCodes_.size(); ++p) {
    SetUnlockCode(1000 * static_cast<int>(p + 1) + UnlockCodeOffset, bytes(unlockCodes_[p]));
  }
  SetCodeText(GlobalLockNumber, bytes(globalLock_));
  if (!terminator_->text().isEmpty()) SetValue(TerminatorNumber, TerminatorCode(bytes(terminator_)));
  SetCodeText(PadTestNumber, bytes(padTest_));
  SetCodeText(PreAccessNumber, firstThree(preAccess_));
  SetCodeText(PreAccessRangeNumber, firstThree(rangeStart_), firstThree(rangeStop_));
  SetValue(VoiceResponsesNumber, voiceResponses_->isChecked() ? 1 : 0);
  SetValue(Dr1xModeNumber, dr1xMode_->isChecked() ? 1 : 0);
  SetValue(TriggeredIdsNumber, triggeredIds_->isChecked() ? 1 : 0);
  if (firstDigit_->isChecked()) {
    SetValue(DtmfMuteNumber, 0);
  } else if (secondDigit_->isChecked()) {
    SetValue(DtmfMuteNumber, 1);
  }
}

void Special_Codes_Dialog::saveChanges() {
  RunSave(QStringLiteral("SPECIAL CODES Save"), QStringLiteral("Saving SPECIAL CODES..."), SpecialCodesProgress,
          [this] { takeCodes(); }, SaveSpecialCodesToDataFile);
}

void Special_Codes_Dialog::reject() { RunCancel(SpecialCodesNumbers(), SpecialCodesProgress); }

void OpenSpecialCodesDialog(QWidget* parent) { Special_Codes_Dialog(parent).exec(); }

}  // namespace ostrin::ui
