// Typing into a line as the operator does: key events, so the line reports
// its change as an edit of the operator's.
#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>

namespace ostrin::ui {

inline void TypeInto(QLineEdit* line, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(line, &press);
  }
}

}  // namespace ostrin::ui
