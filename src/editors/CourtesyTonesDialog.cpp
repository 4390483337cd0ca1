#include "editors/CourtesyTonesDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <vector>

#include "datafile/DataFileName.h"
#include "model/ParameterStore.h"

namespace ostrin::ui {
namespace {

constexpr int segmentCount = 4;

// One row of the grid: a field of the four segments.
struct FieldRow {
  const char* label;
  const char* unit;
};
constexpr std::array<FieldRow, 4> fieldRows{{
    {"Delay To This Segment", "ms"},
    {"Duration", "ms"},
    {"Tone1", "Hz"},
    {"Tone2", "Hz"},
}};

// Field f is row f / 4 of segment f % 4; the boxes of segment s are numbered
// from 1147 + 4 s on, one per row.
int boxId(int field) { return 1147 + 4 * (field % segmentCount) + field / segmentCount; }

std::vector<int> cancelNumbers() {
  std::vector<int> numbers;
  for (int tone = 0; tone < CourtesyToneCount; ++tone) {
    for (int field = 0; field < CourtesyToneFieldCount; ++field) numbers.push_back(CourtesyToneNumber(tone, field));
  }
  return numbers;
}

}  // namespace

Courtesy_Tones::Courtesy_Tones(QWidget* parent) : CategoryDialog(parent, QStringLiteral("Courtesy Tone Pool")) {
  buildControls();
  toneSelect_->setCurrentIndex(0);
  selectedTone_ = 0;
  if (!ControllerDataLoaded) LoadCourtesyTonesFromDataFile();
  showCourtesyTone();
}

void Courtesy_Tones::buildControls() {
  toneSelect_ = Combo(1146, QStringLiteral("Courtesy Tone Select"), NumberItems(1, CourtesyToneCount));
  connect(toneSelect_, &QComboBox::activated, this, &Courtesy_Tones::toneChosen);
  auto* selectRow = new QHBoxLayout;
  selectRow->addWidget(new QLabel(QStringLiteral("Courtesy Tone Select"), this));
  selectRow->addWidget(toneSelect_);
  selectRow->addWidget(Note(QStringLiteral("NOTE: Setting Segment 1, Tone 1 to less than 41 will cause Ostrin to use "
                                           "Message macro 1 - 40 for Courtesy Tone")),
                       1);

  auto* segments = Group(QStringLiteral("Segments"));
  auto* grid = new QGridLayout(segments);
  for (int s = 0; s < segmentCount; ++s) {
    grid->addWidget(new QLabel(QStringLiteral("Segment %1").arg(s + 1), segments), 0, 1 + s, Qt::AlignHCenter);
  }
  for (int r = 0; r < static_cast<int>(fieldRows.size()); ++r) {
    const FieldRow& row = fieldRows[static_cast<std::size_t>(r)];
    const QString label = QString::fromLatin1(row.label);
    const QString unit = QString::fromLatin1(row.unit);
    grid->addWidget(new QLabel(label, segments), 1 + r, 0, Qt::AlignRight);
    for (int s = 0; s < segmentCount; ++s) {
      const int field = segmentCount * r + s;
      boxes_[static_cast<std::size_t>(field)] =
          Edit(boxId(field), QStringLiteral("Segment %1 %2 (%3)").arg(s + 1).arg(label, unit));
      grid->addWidget(boxes_[static_cast<std::size_t>(field)], 1 + r, 1 + s);
    }
    grid->addWidget(new QLabel(unit, segments), 1 + r, 1 + segmentCount);
  }

  const ChangeButtons buttons = SaveAndCancelButtons(1, 2, DefaultButton::Save, &Courtesy_Tones::saveChanges);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(selectRow);
  layout->addWidget(segments);
  layout->addLayout(buttons.row);
}

void Courtesy_Tones::showCourtesyTone() {
  for (int field = 0; field < CourtesyToneFieldCount; ++field) {
    boxes_[static_cast<std::size_t>(field)]->setText(
        NumberText(GetValue(CourtesyToneNumber(selectedTone_, field)).current));
  }
}

void Courtesy_Tones::takeCourtesyTone() {
  for (int field = 0; field < CourtesyToneFieldCount; ++field) {
    SetValue(CourtesyToneNumber(selectedTone_, field), BoxNumber(boxes_[static_cast<std::size_t>(field)]));
  }
}

// Choosing the tone already shown keeps the boxes as typed, without a take.
void Courtesy_Tones::toneChosen(int index) {
  if (index == selectedTone_ || index < 0) return;
  takeCourtesyTone();
  selectedTone_ = index;
  showCourtesyTone();
}

void Courtesy_Tones::saveChanges() {
  RunSave(QStringLiteral("CT Save"), QStringLiteral("Saving COURTESY TONES..."), CourtesyTonesProgress,
          [this] { takeCourtesyTone(); }, SaveCourtesyTonesToDataFile);
}

void Courtesy_Tones::reject() {
  static const std::vector<int> numbers = cancelNumbers();
  RunCancel(numbers, CourtesyTonesProgress);
}

void OpenCourtesyTonesDialog(QWidget* parent) { Courtesy_Tones(parent).exec(); }

}  // namespace ostrin::ui
