#include "editors/MacrosDialog.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "datafile/DataFileName.h"
#include "editors/MacrosFile.h"
#include "model/ParameterStore.h"
#include "speech/MacroFunctionCatalogue.h"
#include "ui/ControlIds.h"
#include "ui/Prompts.h"

namespace ostrin::ui {

int MacroSubset = 0;

namespace {

constexpr std::array<int, 9> subsetIds{1168, 1169, 1206, 1170, 1171, 1172, 1173, 1174, 1175};
constexpr std::array<int, 10> numberIds{1176, 1179, 1181, 1183, 1185, 1187, 1189, 1191, 1193, 1195};
constexpr std::array<int, 10> stepsIds{1177, 1180, 1182, 1184, 1186, 1188, 1190, 1192, 1194, 1196};
constexpr std::array<int, 10> codeIds{1178, 1197, 1198, 1199, 1200, 1201, 1202, 1203, 1204, 1205};

// A row box is read as at most this many characters.
constexpr int rowTextLimit = 63;

const QString caption = QStringLiteral("MACROS");

QString latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }
std::string rowText(const QLineEdit* box) { return box->text().left(rowTextLimit).toLatin1().toStdString(); }

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int macro = 1; macro <= MacroCount; ++macro) numbers.push_back(MacroNumber(macro));
  for (int port = 1; port <= 3; ++port) {
    numbers.push_back(1000 * port + ActiveMacroOffset);
    numbers.push_back(1000 * port + InactiveMacroOffset);
  }
  return numbers;
}

QStringList receiverMacroItems() {
  QStringList items{QStringLiteral("Disabled")};
  items << NumberItems(1, MacroCount);
  return items;
}

QStringList allowedPortsItems() {
  QStringList items;
  for (const AllowedPortsChoice& choice : AllowedPortsChoices) items << QString::fromLatin1(choice.listText);
  return items;
}

void selectIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// A label and its box in one grid row.
void addRow(QGridLayout* grid, int row, const QString& label, QWidget* box) {
  grid->addWidget(new QLabel(label, grid->parentWidget()), row, 0, Qt::AlignRight);
  grid->addWidget(box, row, 1);
}

}  // namespace

Macros_Dialog::Macros_Dialog(QWidget* parent) : CategoryDialog(parent, caption) {
  buildControls();
  for (QRadioButton* button : subsetButtons_) button->setChecked(false);
  subsetButtons_[static_cast<std::size_t>(MacroSubset)]->setChecked(true);
  if (!ControllerDataLoaded) LoadMacrosFromDataFile();
  ShowMacroPage();
}

void Macros_Dialog::buildControls() {
  auto* subsets = new QHBoxLayout;
  for (std::size_t k = 0; k < subsetButtons_.size(); ++k) {
    const QString text = QStringLiteral("%1-%2").arg(10 * k + 1).arg(10 * k + 10);
    subsetButtons_[k] = Radio(subsetIds[k], text, QStringLiteral("Macros ") + text);
    subsets->addWidget(subsetButtons_[k]);
    connect(subsetButtons_[k], &QRadioButton::clicked, this, [this, k] { selectSubset(static_cast<int>(k)); });
  }
  subsets->addStretch(1);

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Cancel, &Macros_Dialog::saveChanges);
  auto* erase = Button(1208, QStringLiteral("Erase All Macros"));
  connect(erase, &QPushButton::clicked, this, [this] {
    CurrentPrompts().Message(this, QStringLiteral("Not yet Implimented."), caption);
  });

  auto* left = new QVBoxLayout;
  left->addLayout(subsets);
  left->addWidget(buildRows());
  left->addWidget(Note(QStringLiteral("ONLY decimal values can be entered !!!")));
  left->addWidget(buildReceiverMacros());
  left->addWidget(buildPortAssignments());
  left->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addWidget(buildFunctionList(), 2);
  buttons.row->insertWidget(0, erase);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons.row);
}

// Two groups with the same row structure side by side, so that each DTMF
// code box lines up with its macro's row.
QWidget* Macros_Dialog::buildRows() {
  auto* rows = new QWidget(this);
  auto* macros = Group(QStringLiteral("Macros"));
  auto* macroColumn = new QVBoxLayout(macros);
  auto* codes = Group(QStringLiteral("DTMF Code"));
  auto* codeColumn = new QVBoxLayout(codes);
  for (std::size_t r = 0; r < RowCount; ++r) {
    numberBoxes_[r] = Edit(numberIds[r], QStringLiteral("Row %1 Macro Number").arg(r + 1));
    numberBoxes_[r]->setReadOnly(true);
    numberBoxes_[r]->setMaximumWidth(numberBoxes_[r]->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    stepsBoxes_[r] = Edit(stepsIds[r], QString());
    stepsBoxes_[r]->installEventFilter(this);
    connect(stepsBoxes_[r], &QLineEdit::textEdited, this, [this, r] { lastStepsBox_ = stepsBoxes_[r]; });
    codeBoxes_[r] = Edit(codeIds[r], QString());
    auto* row = new QHBoxLayout;
    row->addWidget(numberBoxes_[r]);
    row->addWidget(stepsBoxes_[r], 1);
    macroColumn->addLayout(row);
    codeColumn->addWidget(codeBoxes_[r]);
  }
  auto* layout = new QHBoxLayout(rows);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(macros, 4);
  layout->addWidget(codes, 1);
  return rows;
}

QWidget* Macros_Dialog::buildFunctionList() {
  auto* group = Group(QStringLiteral("Function List"));
  functions_ = Identify(new QListWidget(group), 1207, QStringLiteral("Function List"));
  functions_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  functions_->setSelectionMode(QAbstractItemView::SingleSelection);
  std::size_t widest = 0;
  for (const std::string& line : MacroFunctionDisplayLines()) {
    functions_->addItem(latin1(line));
    widest = std::max(widest, line.size());
  }
  // Wide enough for the longest line in the fixed font, beside the scroll bar.
  const int charWidth = functions_->fontMetrics().horizontalAdvance(QLatin1Char('M'));
  functions_->setMinimumWidth(charWidth * static_cast<int>(std::min<std::size_t>(widest, 48) + 1) +
                              functions_->verticalScrollBar()->sizeHint().width() + 8);
  functions_->setToolTip(QStringLiteral("Double-click a function to add its number to the macro row last edited."));
  connect(functions_, &QListWidget::itemDoubleClicked, this, &Macros_Dialog::insertFunction);
  auto* headers = new QHBoxLayout;
  headers->addWidget(new QLabel(QStringLiteral("Number:"), group));
  headers->addWidget(new QLabel(QStringLiteral("Function:"), group), 1);
  auto* layout = new QVBoxLayout(group);
  layout->addLayout(headers);
  layout->addWidget(functions_, 1);
  return group;
}

QWidget* Macros_Dialog::buildReceiverMacros() {
  auto* group = Group(QStringLiteral("Receiver Macros"));
  auto* grid = new QGridLayout(group);
  receiverPort_ = Combo(1295, QStringLiteral("Port:"), NumberItems(1, 3));
  activeMacro_ = Combo(1296, QStringLiteral("Macro Active:"), receiverMacroItems());
  inactiveMacro_ = Combo(1297, QStringLiteral("Macro InActive:"), receiverMacroItems());
  addRow(grid, 0, QStringLiteral("Port:"), receiverPort_);
  addRow(grid, 1, QStringLiteral("Macro Active:"), activeMacro_);
  addRow(grid, 2, QStringLiteral("Macro InActive:"), inactiveMacro_);
  grid->addWidget(Note(QStringLiteral("NOTE: To use Receiver Macros, you MUST enable via Macro command. "
                                      "(See Macro FN:s 358-363)")),
                  3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  connect(receiverPort_, &QComboBox::activated, this, &Macros_Dialog::showReceiverMacros);
  connect(activeMacro_, &QComboBox::activated, this,
          [this](int index) { receiverMacroChosen(ActiveMacroOffset, index); });
  connect(inactiveMacro_, &QComboBox::activated, this,
          [this](int index) { receiverMacroChosen(InactiveMacroOffset, index); });
  return group;
}

QWidget* Macros_Dialog::buildPortAssignments() {
  auto* group = Group(QStringLiteral("Macro Port Assignments"));
  auto* grid = new QGridLayout(group);
  assignedMacro_ = Combo(1298, QStringLiteral("Macro Number:"), NumberItems(1, MacroCount));
  allowedPorts_ = Combo(1299, QStringLiteral("Ports Allowed To Run From:"), allowedPortsItems());
  addRow(grid, 0, QStringLiteral("Macro Number:"), assignedMacro_);
  addRow(grid, 1, QStringLiteral("Ports Allowed\nTo Run From:"), allowedPorts_);
  grid->setColumnStretch(1, 1);
  connect(assignedMacro_, &QComboBox::activated, this, &Macros_Dialog::showAllowedPorts);
  connect(allowedPorts_, &QComboBox::activated, this, &Macros_Dialog::allowedPortsChosen);
  return group;
}

int Macros_Dialog::selectedPort() const { return receiverPort_->currentIndex() + 1; }

void Macros_Dialog::ShowMacroPage() {
  const int first = firstMacro();
  for (std::size_t r = 0; r < RowCount; ++r) {
    const int macro = first + static_cast<int>(r);
    const MacroRecord record = GetMacro(MacroNumber(macro));
    stepsBoxes_[r]->setText(latin1(MacroStepsText(record.steps)));
    codeBoxes_[r]->setText(latin1(MacroCodeText(record)));
    stepsBoxes_[r]->setAccessibleName(QStringLiteral("Macro %1 Function Numbers").arg(macro));
    codeBoxes_[r]->setAccessibleName(QStringLiteral("Macro %1 DTMF Code").arg(macro));
  }
  showReceiverMacros();
  showAllowedPorts();
  for (std::size_t r = 0; r < RowCount; ++r) numberBoxes_[r]->setText(NumberText(first + static_cast<int>(r)));
}

void Macros_Dialog::TakeMacroPage() {
  const int first = firstMacro();
  for (std::size_t r = 0; r < RowCount; ++r) {
    const int number = MacroNumber(first + static_cast<int>(r));
    MacroRecord record = GetMacro(number);
    const std::string steps = rowText(stepsBoxes_[r]);
    record.steps = steps == NoMacroStepsText ? MacroSteps{} : MacroTextToSteps(steps);
    SetMacroCodeFromText(record, rowText(codeBoxes_[r]));
    SetMacro(number, record);
  }
  receiverMacroChosen(ActiveMacroOffset, activeMacro_->currentIndex());
  receiverMacroChosen(InactiveMacroOffset, inactiveMacro_->currentIndex());
  allowedPortsChosen(allowedPorts_->currentIndex());
}

void Macros_Dialog::showReceiverMacros() {
  if (receiverPort_->currentIndex() < 0) return;
  const int base = 1000 * selectedPort();
  selectIndex(activeMacro_, GetValue(base + ActiveMacroOffset).current);
  selectIndex(inactiveMacro_, GetValue(base + InactiveMacroOffset).current);
}

void Macros_Dialog::showAllowedPorts() {
  const MacroRecord record = GetMacro(MacroNumber(assignedMacro_->currentIndex() + 1));
  allowedPorts_->setCurrentIndex(AllowedPortsIndex(MacroAttributes(record)));
}

// A list left without a selection (its stored value was no macro number)
// keeps the stored value.
void Macros_Dialog::receiverMacroChosen(int offset, int index) {
  if (receiverPort_->currentIndex() < 0 || index < 0) return;
  SetValue(1000 * selectedPort() + offset, index);
}

void Macros_Dialog::allowedPortsChosen(int index) {
  const int number = MacroNumber(assignedMacro_->currentIndex() + 1);
  MacroRecord record = GetMacro(number);
  SetMacroAttributes(record, AllowedPortsAttributes(index));
  SetMacro(number, record);
}

void Macros_Dialog::selectSubset(int subset) {
  TakeMacroPage();
  MacroSubset = subset;
  ShowMacroPage();
}

// The function's number goes in at the cursor as a piece of its own: blanks
// are added where it would run into the neighbouring text, and an empty row
// ("NONE STORED") is replaced.
void Macros_Dialog::insertFunction(QListWidgetItem* item) {
  if (lastStepsBox_ == nullptr || item == nullptr) return;
  QLineEdit* box = lastStepsBox_;
  if (box->text() == latin1(std::string(NoMacroStepsText))) box->clear();
  const QString text = box->text();
  const int at = box->cursorPosition();
  QString piece = NumberText(BoxNumber(item->text()));
  if (at > 0 && text.at(at - 1) != QLatin1Char(' ')) piece.prepend(QLatin1Char(' '));
  if (at < text.size() && text.at(at) != QLatin1Char(' ')) piece.append(QLatin1Char(' '));
  box->deselect();
  box->insert(piece);
}

bool Macros_Dialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (QLineEdit* box : stepsBoxes_) {
      if (box == watched) lastStepsBox_ = box;
    }
  }
  return CategoryDialog::eventFilter(watched, event);
}

void Macros_Dialog::saveChanges() {
  RunSave(QStringLiteral("MACROS Save"), QStringLiteral("Saving MACROS..."), MacrosProgress,
          [this] { TakeMacroPage(); }, SaveMacrosToDataFile);
}

void Macros_Dialog::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, MacrosProgress);
}

void OpenMacrosDialog(QWidget* parent) { Macros_Dialog(parent).exec(); }

}  // namespace ostrin::ui
