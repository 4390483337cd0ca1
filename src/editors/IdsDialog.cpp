#include "editors/IdsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/IdsFile.h"
#include "editors/VocabularyList.h"
#include "model/ParameterStore.h"
#include "speech/CodeText.h"
#include "speech/SpeechTables.h"
#include "ui/ControlIds.h"

namespace ostrin::ui {

std::array<bool, 8> SkipFirstChange{true, true, true, true, true, true, true, true};

namespace {

constexpr std::size_t voiceBoxes = 6;  // the first six ID boxes are voice IDs, the last two CW IDs
constexpr std::array<int, 8> idBoxIds{1148, 1149, 1150, 1151, 1152, 1168, 1153, 1154};
constexpr std::array<int, 8> idOffsets{49, 50, 51, 52, 53, 54, 55, 56};
constexpr std::array<const char*, 8> idLabels{"Initial ID 1", "Initial ID 2", "Initial ID 3", "Pending ID 1",
                                              "Pending ID 2", "Pending ID 3", "CW ID 1", "CW ID 2"};
constexpr std::array<const char*, 8> counterTags{"IID1", "IID2", "IID3", "PID1", "PID2", "PID3", "CWID1", "CWID2"};

constexpr std::array<int, 3> cwValueIds{1155, 1156, 1157};
constexpr std::array<int, 3> cwValueOffsets{44, 45, 46};
constexpr std::array<const char*, 3> cwValueLabels{"CW Speed", "CW Tone 1", "CW Tone 2"};
constexpr std::array<const char*, 3> cwValueUnits{"WPM", "Hz", "Hz"};

constexpr std::array<int, 3> extraChoiceIds{1160, 1161, 1162};
constexpr std::array<int, 3> special1Ids{1277, 1275, 1279};
constexpr std::array<int, 3> special2Ids{1276, 1278, 1280};
constexpr int extraOffset = 57;  // voice ID j's extra is p057 + j
constexpr qsizetype textLimit = 255;

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int port = 1; port <= 3; ++port) {
    for (int offset = 44; offset <= 56; ++offset) numbers.push_back(1000 * port + offset);
    for (int offset = 58; offset <= 60; ++offset) numbers.push_back(1000 * port + offset);
  }
  return numbers;
}

std::string boxText(const QLineEdit* box) { return box->text().toLatin1().left(textLimit).toStdString(); }

QString latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

CodeList idCodes(std::size_t box, const QLineEdit* line) {
  const std::string text = boxText(line);
  return box < voiceBoxes ? VoiceTextToCodes(text) : CwTextToCodes(text);
}

template <int Capacity>
CodeList asCodeList(const FixedCodeList<Capacity>& stored) {
  CodeList list;
  list.count = std::clamp(stored.count, 0, Capacity);
  std::copy(stored.codes.begin(), stored.codes.end(), list.codes.begin());
  return list;
}

QString idText(const PortListBlock& lists, std::size_t box) {
  if (box < voiceBoxes) return latin1(VoiceCodesToText(asCodeList(lists.voice[box])));
  return latin1(CwCodesToText(asCodeList(lists.cw[box - voiceBoxes])));
}

// A voice word's token: spaces inside it written as underscores.
QString wordToken(int row) {
  CodeList word;
  word.count = 1;
  word.codes[0] = row;
  return TokenText(VoiceCodesToText(word));
}

QStringList texts(std::span<const char* const> items) {
  QStringList list;
  for (const char* item : items) list << QString::fromLatin1(item);
  return list;
}

std::int32_t value(int number) { return GetValue(number).current; }

}  // namespace

IDs::IDs(QWidget* parent) : CategoryDialog(parent, QStringLiteral("IDs")) {
  buildControls();
  portButtons_[0]->setChecked(true);
  counter_->setText(QStringLiteral("...Select ID..."));
  if (!ControllerDataLoaded) LoadIdsFromDataFile();
  selectedPort_ = 0;
  showPort();
}

void IDs::buildControls() {
  auto* ports = Group(QStringLiteral("Radio Port Selection"));
  auto* portRow = new QHBoxLayout(ports);
  const std::array<int, 3> portIds{1163, 1164, 1165};
  for (std::size_t p = 0; p < portButtons_.size(); ++p) {
    portButtons_[p] = Radio(portIds[p], QStringLiteral("Port %1").arg(p + 1));
    portRow->addWidget(portButtons_[p]);
    connect(portButtons_[p], &QRadioButton::clicked, this, [this, p] { choosePort(static_cast<int>(p)); });
  }
  portRow->addStretch(1);

  auto* list = new QListWidget(this);
  Identify(list, 1166, QStringLiteral("Vocabulary List"));
  for (const std::string_view word : VoiceWordTable) list->addItem(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
  vocabulary_ = new VocabularyList(list, wordToken);

  auto* idGrid = new QGridLayout;
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    const QString label = QString::fromLatin1(idLabels[i]);
    ids_[i] = Edit(idBoxIds[i], label);
    ids_[i]->setMinimumWidth(ids_[i]->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('M'))));
    vocabulary_->Track(ids_[i]);
    connect(ids_[i], &QLineEdit::textChanged, this, [this, i] { idTextChanged(i); });
    idGrid->addWidget(new QLabel(label, this), static_cast<int>(i), 0, Qt::AlignRight);
    idGrid->addWidget(ids_[i], static_cast<int>(i), 1);
  }
  idGrid->setColumnStretch(1, 1);

  counter_ = Edit(1167, QStringLiteral("Words (max 22)"));
  counter_->setReadOnly(true);
  auto* vocabularyColumn = new QVBoxLayout;
  vocabularyColumn->addWidget(new QLabel(QStringLiteral("Vocabulary List"), this));
  vocabularyColumn->addWidget(list, 1);
  vocabularyColumn->addWidget(new QLabel(QStringLiteral("Words (max 22)"), this));
  vocabularyColumn->addWidget(counter_);

  auto* cw = Group(QStringLiteral("CW"));
  auto* cwGrid = new QGridLayout(cw);
  for (std::size_t v = 0; v < cwValues_.size(); ++v) {
    const QString label = QString::fromLatin1(cwValueLabels[v]);
    const QString unit = QString::fromLatin1(cwValueUnits[v]);
    cwValues_[v] = Edit(cwValueIds[v], label + " (" + unit + ")");
    cwGrid->addWidget(new QLabel(label, cw), static_cast<int>(v), 0, Qt::AlignRight);
    cwGrid->addWidget(cwValues_[v], static_cast<int>(v), 1);
    cwGrid->addWidget(new QLabel(unit, cw), static_cast<int>(v), 2);
  }

  auto* speech = Group(QStringLiteral("Speech IDs"));
  speechIds_ = Check(1158, QStringLiteral("Enabled"), QStringLiteral("Speech IDs: Enabled"));
  (new QVBoxLayout(speech))->addWidget(speechIds_);
  auto* constant = Group(QStringLiteral("Constant ID"));
  auto* constantColumn = new QVBoxLayout(constant);
  constantId_ = Check(1159, QStringLiteral("Enabled"), QStringLiteral("Constant ID: Enabled"));
  constantColumn->addWidget(constantId_);
  constantColumn->addWidget(Note(QStringLiteral("NOTE: Enabling Constant ID means that an ID will be sent every Pending "
                                                "ID timer interval regardless of the actual repeater activity")));

  auto* extras = Group(QStringLiteral("ID Extras"));
  auto* extrasGrid = new QGridLayout(extras);
  auto* specials = Group(QStringLiteral("ID Extra Specials"));
  auto* specialsGrid = new QGridLayout(specials);
  for (std::size_t j = 0; j < extras_.size(); ++j) {
    const QString voiceId = QStringLiteral("Voice ID %1").arg(j + 1);
    extras_[j].choice = Combo(extraChoiceIds[j], QStringLiteral("ID Extras: ") + voiceId, texts(IdExtraChoices));
    extras_[j].special1 = Check(special1Ids[j], QStringLiteral("1"), QStringLiteral("ID Extra Specials: %1: 1").arg(voiceId));
    extras_[j].special2 = Check(special2Ids[j], QStringLiteral("2"), QStringLiteral("ID Extra Specials: %1: 2").arg(voiceId));
    const int row = static_cast<int>(j);
    extrasGrid->addWidget(new QLabel(voiceId, extras), row, 0);
    extrasGrid->addWidget(extras_[j].choice, row, 1);
    specialsGrid->addWidget(new QLabel(voiceId, specials), row, 0);
    specialsGrid->addWidget(extras_[j].special1, row, 1);
    specialsGrid->addWidget(extras_[j].special2, row, 2);
  }
  specialsGrid->addWidget(Note(QStringLiteral("[1] Say if NVM Parameters were Restored or Recovered")), 3, 0, 1, 3);
  specialsGrid->addWidget(Note(QStringLiteral("[2] Say NVM Parameters Status")), 4, 0, 1, 3);
  specialsGrid->addWidget(Note(QStringLiteral("NOTE: ID Extra Specials indicate NVM Parameter Status and are always "
                                              "added to the END of a voice ID.")),
                          5, 0, 1, 3);

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Save, &IDs::saveChanges);

  auto* top = new QHBoxLayout;
  top->addLayout(idGrid, 1);
  top->addLayout(vocabularyColumn);
  auto* switches = new QVBoxLayout;
  switches->addWidget(speech);
  switches->addWidget(constant);
  switches->addStretch(1);
  auto* extrasColumn = new QVBoxLayout;
  extrasColumn->addWidget(extras);
  extrasColumn->addWidget(specials);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(cw, 0, Qt::AlignTop);
  bottom->addLayout(switches);
  bottom->addLayout(extrasColumn, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ports);
  layout->addLayout(top);
  layout->addLayout(bottom);
  layout->addLayout(buttons.row);
}

// Setting a box's text is a change notification even when the text stays the
// same, so the boxes' first-change flags and the counter see every show.
void IDs::showPort() {
  const int b = base();
  const PortListBlock lists = GetPortLists(b);
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    const QString text = idText(lists, i);
    if (ids_[i]->text() == text) {
      idTextChanged(i);
    } else {
      ids_[i]->setText(text);
    }
  }
  for (std::size_t v = 0; v < cwValues_.size(); ++v) cwValues_[v]->setText(NumberText(value(b + cwValueOffsets[v])));
  speechIds_->setChecked(value(b + 47) == 1);
  constantId_->setChecked(value(b + 48) == 1);
  for (std::size_t j = 0; j < extras_.size(); ++j) {
    const std::int32_t extra = value(b + extraOffset + 1 + static_cast<int>(j));
    const int choice = extra & IdExtraChoiceMask;
    extras_[j].choice->setCurrentIndex(choice < extras_[j].choice->count() ? choice : -1);
    extras_[j].special1->setChecked((extra & IdExtraSpecial1Bit) != 0);
    extras_[j].special2->setChecked((extra & IdExtraSpecial2Bit) != 0);
  }
}

// An ID extra whose stored choice has no entry in the list keeps that choice.
void IDs::keepPort() {
  const int b = base();
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    CodeList codes = idCodes(i, ids_[i]);
    if (i < voiceBoxes) codes.count = std::min(codes.count, VoiceListCapacity);
    SetPortList(b + idOffsets[i], codes);
  }
  for (std::size_t v = 0; v < cwValues_.size(); ++v) SetValue(b + cwValueOffsets[v], BoxNumber(cwValues_[v]));
  SetValue(b + 47, speechIds_->isChecked() ? 1 : 0);
  SetValue(b + 48, constantId_->isChecked() ? 1 : 0);
  for (std::size_t j = 0; j < extras_.size(); ++j) {
    const int number = b + extraOffset + 1 + static_cast<int>(j);
    const int selected = extras_[j].choice->currentIndex();
    std::int32_t extra = selected >= 0 ? selected : value(number) & IdExtraChoiceMask;
    if (extras_[j].special1->isChecked()) extra |= IdExtraSpecial1Bit;
    if (extras_[j].special2->isChecked()) extra |= IdExtraSpecial2Bit;
    SetValue(number, extra);
  }
}

void IDs::choosePort(int port) {
  keepPort();
  selectedPort_ = port;
  showPort();
}

void IDs::idTextChanged(std::size_t box) {
  if (SkipFirstChange[box]) {
    SkipFirstChange[box] = false;
    return;
  }
  counter_->setText(QStringLiteral("%1:%2").arg(QString::fromLatin1(counterTags[box])).arg(idCodes(box, ids_[box]).count));
}

void IDs::saveChanges() {
  RunSave(QStringLiteral("IDs Save"), QStringLiteral("Saving IDs..."), IdsProgress, [this] { keepPort(); },
          SaveIdsToDataFile);
}

void IDs::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, IdsProgress);
}

void OpenIdsDialog(QWidget* parent) { IDs(parent).exec(); }

}  // namespace ostrin::ui
