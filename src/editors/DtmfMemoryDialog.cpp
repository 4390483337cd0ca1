#include "editors/DtmfMemoryDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/DtmfMemoriesFile.h"
#include "editors/VocabularyList.h"
#include "model/ParameterStore.h"
#include "speech/CodeText.h"
#include "speech/SpeechTables.h"
#include "ui/ControlIds.h"

namespace ostrin::ui {

int DtmfMemorySubset = 0;

namespace {

constexpr std::array<int, 4> groupIds{1317, 1318, 1319, 1320};
constexpr std::array<const char*, 4> groupCaptions{"01-10", "11-20", "21-30", "31-40"};
constexpr int durationNumber = 190;
constexpr int delayNumber = 191;
constexpr qsizetype lineLimit = 63;  // a line is read up to its 63rd character

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int m = 0; m < DtmfMemoryCount; ++m) numbers.push_back(FirstDtmfMemory + m);
  numbers.push_back(durationNumber);
  numbers.push_back(delayNumber);
  return numbers;
}

// A digit's token: its character.
QString digitToken(int row) {
  CodeList digit;
  digit.count = 1;
  digit.codes[0] = row;
  return TokenText(DtmfDigitsToText(digit));
}

// A timing outside what the controller takes is shown as the limit.
QString timingText(std::int32_t value) {
  return NumberText(value < 0 || value > DtmfTimingLimit ? DtmfTimingLimit : value);
}

std::int32_t typedTiming(const QLineEdit* box) { return std::clamp(BoxNumber(box), 0, DtmfTimingLimit); }

int memoryNumber(int group, int line) { return FirstDtmfMemory + 10 * group + line; }

}  // namespace

DTMF_Memory::DTMF_Memory(QWidget* parent) : CategoryDialog(parent, QStringLiteral("DTMF Memories")) {
  buildControls();
  if (!ControllerDataLoaded) LoadDtmfMemoriesFromDataFile();
  showGroup(DtmfMemorySubset);
}

void DTMF_Memory::buildControls() {
  auto* groups = Group(QStringLiteral("DTMF Memory SubSet Select"));
  auto* groupRow = new QHBoxLayout(groups);
  for (std::size_t g = 0; g < groupButtons_.size(); ++g) {
    const QString caption = QString::fromLatin1(groupCaptions[g]);
    groupButtons_[g] = Radio(groupIds[g], caption, QStringLiteral("DTMF Memory SubSet Select: ") + caption);
    groupRow->addWidget(groupButtons_[g]);
    connect(groupButtons_[g], &QRadioButton::clicked, this, [this, g] { chooseGroup(static_cast<int>(g)); });
  }
  groupRow->addStretch(1);

  auto* memories = new QGridLayout;
  auto* list = new QListWidget(this);
  Identify(list, 1321, QStringLiteral("Digits:"));
  for (const char digit : DtmfDigitTable) list->addItem(QString(QLatin1Char(digit)) + QLatin1Char(' '));
  digits_ = new VocabularyList(list, digitToken);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    numbers_[i] = Edit(1297 + static_cast<int>(i), QStringLiteral("Memory number of line %1").arg(i + 1));
    numbers_[i]->setReadOnly(true);
    numbers_[i]->setMaximumWidth(numbers_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    lines_[i] = Edit(1307 + static_cast<int>(i), QStringLiteral("DTMF digits of line %1").arg(i + 1));
    digits_->Track(lines_[i]);
    memories->addWidget(numbers_[i], static_cast<int>(i), 0);
    memories->addWidget(lines_[i], static_cast<int>(i), 1);
  }
  auto* digitColumn = new QVBoxLayout;
  digitColumn->addWidget(new QLabel(QStringLiteral("Digits:"), this));
  digitColumn->addWidget(list);
  memories->addLayout(digitColumn, 0, 2, static_cast<int>(lines_.size()), 1);
  memories->setColumnStretch(1, 1);

  auto* timing = Group(QStringLiteral("DTMF Parameters"));
  auto* timingGrid = new QGridLayout(timing);
  duration_ = Edit(1286, QStringLiteral("Duration: (mSec)"));
  delay_ = Edit(1287, QStringLiteral("Delay: (mSec)"));
  timingGrid->addWidget(new QLabel(QStringLiteral("Duration:"), timing), 0, 0, Qt::AlignRight);
  timingGrid->addWidget(duration_, 0, 1);
  timingGrid->addWidget(new QLabel(QStringLiteral("mSec"), timing), 0, 2);
  timingGrid->addWidget(new QLabel(QStringLiteral("Delay:"), timing), 1, 0, Qt::AlignRight);
  timingGrid->addWidget(delay_, 1, 1);
  timingGrid->addWidget(new QLabel(QStringLiteral("mSec"), timing), 1, 2);
  timingGrid->addWidget(Note(QStringLiteral("These are limited to 0-255 msecs")), 2, 0, 1, 3);

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Save, &DTMF_Memory::saveChanges);

  buttons.row->insertWidget(0, timing);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(groups);
  layout->addLayout(memories);
  layout->addLayout(buttons.row);
}

void DTMF_Memory::showGroup(int group) {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string text = DtmfMemoryText(GetDtmfMemory(memoryNumber(group, static_cast<int>(i))));
    lines_[i]->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    numbers_[i]->setText(NumberText(10 * group + 1 + static_cast<int>(i)));
  }
  duration_->setText(timingText(GetValue(durationNumber).current));
  delay_->setText(timingText(GetValue(delayNumber).current));
  for (std::size_t g = 0; g < groupButtons_.size(); ++g) groupButtons_[g]->setChecked(static_cast<int>(g) == group);
}

void DTMF_Memory::keepGroup(int group) {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const QByteArray text = lines_[i]->text().toLatin1().left(lineLimit);
    SetDtmfMemory(memoryNumber(group, static_cast<int>(i)),
                  DtmfMemoryFromText(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))));
  }
  SetValue(durationNumber, typedTiming(duration_));
  SetValue(delayNumber, typedTiming(delay_));
}

void DTMF_Memory::chooseGroup(int group) {
  keepGroup(DtmfMemorySubset);
  DtmfMemorySubset = group;
  showGroup(group);
}

void DTMF_Memory::saveChanges() {
  RunSave(QStringLiteral("DTMF Save"), QStringLiteral("Saving DTMF MEMORIES..."), DtmfMemoriesProgress,
          [this] { keepGroup(DtmfMemorySubset); }, SaveDtmfMemoriesToDataFile);
}

void DTMF_Memory::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, DtmfMemoriesProgress);
}

void OpenDtmfMemoryDialog(QWidget* parent) { DTMF_Memory(parent).exec(); }

}  // namespace ostrin::ui
