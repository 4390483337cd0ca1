#include "editors/CategoryDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "datafile/NumberText.h"
#include "model/ParameterStore.h"
#include "ui/CProgressWnd.h"
#include "ui/ControlIds.h"
#include "ui/Prompts.h"

namespace ostrin::ui {

CategoryDialog::CategoryDialog(QWidget* parent, const QString& caption) : QDialog(parent) {
  setWindowTitle(caption);
  setAccessibleName(caption);
}

QLineEdit* CategoryDialog::Edit(int id, const QString& name) { return Identify(new QLineEdit(this), id, name); }

QComboBox* CategoryDialog::Combo(int id, const QString& name, const QStringList& items) {
  auto* combo = Identify(new QComboBox(this), id, name);
  combo->addItems(items);
  return combo;
}

QCheckBox* CategoryDialog::Check(int id, const QString& caption, const QString& name) {
  return Identify(new QCheckBox(caption, this), id, name.isEmpty() ? caption : name);
}

QRadioButton* CategoryDialog::Radio(int id, const QString& caption, const QString& name) {
  auto* radio = Identify(new QRadioButton(caption, this), id, name.isEmpty() ? caption : name);
  radio->setAutoExclusive(true);
  return radio;
}

QPushButton* CategoryDialog::Button(int id, const QString& caption) {
  auto* button = Identify(new QPushButton(caption, this), id, caption);
  button->setAutoDefault(false);
  return button;
}

CategoryDialog::ChangeButtons CategoryDialog::changeButtons(int saveId, int cancelId, DefaultButton byDefault) {
  const ChangeButtons buttons{Button(saveId, QStringLiteral("Save Changes")),
                              Button(cancelId, QStringLiteral("Cancel Changes")), new QHBoxLayout};
  (byDefault == DefaultButton::Save ? buttons.save : buttons.cancel)->setDefault(true);
  buttons.row->addStretch(1);
  buttons.row->addWidget(buttons.save, 0, Qt::AlignBottom);
  buttons.row->addWidget(buttons.cancel, 0, Qt::AlignBottom);
  return buttons;
}

QLabel* CategoryDialog::Note(const QString& text) {
  auto* label = new QLabel(text, this);
  label->setWordWrap(true);
  label->setAccessibleName(text);
  label->setForegroundRole(QPalette::PlaceholderText);
  return label;
}

QGroupBox* CategoryDialog::Group(const QString& title) {
  auto* box = new QGroupBox(title, this);
  box->setAccessibleName(title);
  return box;
}

void CategoryDialog::runSaveSteps(const QString& title, const QString& text, ProgressSink*& progressPointer,
                                  const std::function<void()>& work) {
  CProgressWnd progress;
  progressPointer = &progress;
  progress.Create(this, title, true);
  progress.GoModal();
  progress.Show();
  progress.SetRange(0, 100);
  progress.SetStep(1);
  progress.SetText(text);
  progress.PeekAndPump();
  work();
  progress.Hide();
  progress.PeekAndPump();
  progressPointer = nullptr;
  progress.DestroyWindow();
}

void CategoryDialog::reportSave(const SaveResult& result) {
  if (result.ok()) return;
  CurrentPrompts().Message(this, QStringLiteral("ERROR: Data File was not saved.\n%1")
                                     .arg(QString::fromLocal8Bit(result.reason)),
                           windowTitle());
}

void CategoryDialog::RunCancel(std::span<const int> numbers, ProgressSink*& progressPointer) {
  for (const int number : numbers) ClearEditedFlag(number);
  progressPointer = nullptr;
  QDialog::reject();
}

std::int32_t BoxNumber(const QString& text) { return LeadingNumber(text.toStdString()); }
std::int32_t BoxNumber(const QLineEdit* box) { return BoxNumber(box->text()); }
QString NumberText(std::int32_t value) { return QString::number(value); }

QStringList NumberItems(int first, int last) {
  QStringList items;
  for (int n = first; n <= last; ++n) items << QString::number(n);
  return items;
}

}  // namespace ostrin::ui
