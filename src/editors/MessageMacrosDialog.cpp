#include "editors/MessageMacrosDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/MessageMacrosFile.h"
#include "editors/VocabularyList.h"
#include "model/ParameterStore.h"
#include "speech/CodeText.h"
#include "speech/SpeechTables.h"
#include "ui/ControlIds.h"

namespace ostrin::ui {

int MessageMacroSubset = 0;

namespace {

constexpr std::array<int, 7> groupIds{1209, 1210, 1211, 1212, 1235, 1236, 1237};
constexpr std::array<const char*, 7> groupCaptions{"01-10", "11-20", "21-30", "31-40", "41-50", "51-60", "61-70"};
constexpr qsizetype lineLimit = 63;  // a line is read up to its 63rd character

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int k = 0; k < MessageMacroCount; ++k) numbers.push_back(FirstMessageMacro + k);
  return numbers;
}

// A word's token: spaces inside it written as underscores.
QString wordToken(int row) {
  CodeList word;
  word.count = 1;
  word.codes[0] = MessageWordTable[static_cast<std::size_t>(row)].code;
  return TokenText(MessageCodesToText(word));
}

// "%3d  %s".
QString vocabularyLine(const MessageWord& entry) {
  return QStringLiteral("%1  %2")
      .arg(entry.code, 3)
      .arg(QString::fromLatin1(entry.word.data(), static_cast<qsizetype>(entry.word.size())));
}

int macroNumber(int group, int line) { return FirstMessageMacro + 10 * group + line; }

}  // namespace

Message_Macros::Message_Macros(QWidget* parent) : CategoryDialog(parent, QStringLiteral("Message Macros")) {
  buildControls();
  if (!ControllerDataLoaded) LoadMessageMacrosFromDataFile();
  showGroup(MessageMacroSubset);
}

void Message_Macros::buildControls() {
  auto* groups = Group(QStringLiteral("Message MACRO SubSet Select"));
  auto* groupRow = new QHBoxLayout(groups);
  for (std::size_t g = 0; g < groupButtons_.size(); ++g) {
    const QString caption = QString::fromLatin1(groupCaptions[g]);
    groupButtons_[g] = Radio(groupIds[g], caption, QStringLiteral("Message MACRO SubSet Select: ") + caption);
    groupRow->addWidget(groupButtons_[g]);
    connect(groupButtons_[g], &QRadioButton::clicked, this, [this, g] { chooseGroup(static_cast<int>(g)); });
  }
  groupRow->addStretch(1);

  auto* list = new QListWidget(this);
  Identify(list, 1234, QStringLiteral("Vocabulary  List"));
  for (const MessageWord& entry : MessageWordTable) list->addItem(vocabularyLine(entry));
  vocabulary_ = new VocabularyList(list, wordToken);

  auto* macros = new QGridLayout;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    numbers_[i] = Edit(1214 + static_cast<int>(i), QStringLiteral("Macro number of line %1").arg(i + 1));
    numbers_[i]->setReadOnly(true);
    numbers_[i]->setMaximumWidth(numbers_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    lines_[i] = Edit(1224 + static_cast<int>(i), QStringLiteral("Words of line %1").arg(i + 1));
    lines_[i]->setMinimumWidth(lines_[i]->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('M'))));
    vocabulary_->Track(lines_[i]);
    macros->addWidget(numbers_[i], static_cast<int>(i), 0);
    macros->addWidget(lines_[i], static_cast<int>(i), 1);
  }
  auto* vocabularyColumn = new QVBoxLayout;
  vocabularyColumn->addWidget(new QLabel(QStringLiteral("Number:    Vocabulary  List"), this));
  vocabularyColumn->addWidget(list);
  macros->addLayout(vocabularyColumn, 0, 2, static_cast<int>(lines_.size()), 1);
  macros->setColumnStretch(1, 1);

  auto* erase = Button(1213, QStringLiteral("Erase All Macros"));
  const ChangeButtons buttons =
      SaveAndCancelButtons(4, 3, DefaultButton::Cancel, &Message_Macros::saveChanges, &Message_Macros::cancelChanges);
  connect(erase, &QPushButton::clicked, this, &Message_Macros::eraseAll);

  buttons.row->insertWidget(0, erase);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(groups);
  layout->addLayout(macros);
  layout->addLayout(buttons.row);
}

void Message_Macros::showTexts(int group) {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string text = MessageMacroText(GetMessageMacro(macroNumber(group, static_cast<int>(i))));
    lines_[i]->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  }
}

void Message_Macros::showGroup(int group) {
  showTexts(group);
  for (std::size_t g = 0; g < groupButtons_.size(); ++g) groupButtons_[g]->setChecked(static_cast<int>(g) == group);
  for (std::size_t i = 0; i < numbers_.size(); ++i) numbers_[i]->setText(NumberText(10 * group + 1 + static_cast<int>(i)));
}

void Message_Macros::keepGroup(int group) {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const QByteArray text = lines_[i]->text().toLatin1().left(lineLimit);
    SetMessageMacro(macroNumber(group, static_cast<int>(i)),
                    MessageMacroFromText(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))));
  }
}

void Message_Macros::chooseGroup(int group) {
  keepGroup(MessageMacroSubset);
  MessageMacroSubset = group;
  showGroup(group);
}

// The emptied macros become the baseline: no question, and no new pending changes.
void Message_Macros::eraseAll() {
  {
    BaselineLoadScope baseline;
    for (int k = 0; k < MessageMacroCount; ++k) SetMessageMacro(FirstMessageMacro + k, MessageMacroRecord{});
  }
  showTexts(MessageMacroSubset);
}

void Message_Macros::saveChanges() {
  RunSave(QStringLiteral("Message Save"), QStringLiteral("Saving MESSAGE MACROs..."), MessageMacrosProgress,
          [this] { keepGroup(MessageMacroSubset); }, SaveMessageMacrosToDataFile);
}

// Escape and the close box close the dialog without this: no flag is cleared.
void Message_Macros::cancelChanges() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, MessageMacrosProgress);
}

void OpenMessageMacrosDialog(QWidget* parent) { Message_Macros(parent).exec(); }

}  // namespace ostrin::ui
