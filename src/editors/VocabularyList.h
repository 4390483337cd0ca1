// A reference list of words beside a dialog's editable lines: a double-click
// on an entry inserts the entry's word at the cursor of the line the operator
// last edited or entered; selecting an entry does nothing. The word is
// inserted as the conversions write it (spaces inside a word as underscores),
// so that it converts back to the same code. Nothing is inserted before the
// operator has used one of the lines.
#pragma once

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

namespace ostrin::ui {

class VocabularyList final : public QObject {
 public:
  // wordOf gives the token of the entry in a row ("THANK_YOU"), without spaces around it.
  VocabularyList(QListWidget* list, std::function<QString(int row)> wordOf)
      : QObject(list), wordOf_(std::move(wordOf)) {
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this, list](QListWidgetItem* item) { insertWord(list->row(item)); });
  }

  // Makes the line one the words may go into.
  void Track(QLineEdit* line) {
    line->installEventFilter(this);
    connect(line, &QLineEdit::textEdited, this, [this, line] { target_ = line; });
  }

  QLineEdit* Target() const { return target_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) target_ = qobject_cast<QLineEdit*>(watched);
    return false;
  }

 private:
  // The word goes in as a token of its own: a space before it when it would
  // touch the word before the cursor, and one after it unless a space follows
  // already (every shown word ends with one).
  void insertWord(int row) {
    if (target_ == nullptr || row < 0) return;
    const QString word = wordOf_(row);
    if (word.isEmpty()) return;
    if (target_->hasSelectedText()) target_->del();
    const QString text = target_->text();
    const int cursor = target_->cursorPosition();
    const QLatin1Char space(' ');
    const bool spaceBefore = cursor > 0 && text.at(cursor - 1) != space;
    const bool spaceAfter = cursor == text.size() || text.at(cursor) != space;
    target_->insert((spaceBefore ? QString(space) : QString()) + word + (spaceAfter ? QString(space) : QString()));
    target_->setFocus();
  }

  std::function<QString(int row)> wordOf_;
  QLineEdit* target_ = nullptr;
};

// A conversion's text of one item ("THANK_YOU ") as a bare token ("THANK_YOU").
inline QString TokenText(const std::string& itemText) {
  return QString::fromLatin1(itemText.data(), static_cast<qsizetype>(itemText.size())).trimmed();
}

}  // namespace ostrin::ui
