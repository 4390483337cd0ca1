// Every control of the tool's windows carries its numeric id: as the property
// "controlId", so tests find it, and as its accessible description, so that
// automation from outside the process (AT-SPI) can address it. Its accessible
// name is its caption or label, for screen readers.
#pragma once

#include <QString>
#include <QWidget>

namespace ostrin::ui {

inline constexpr const char* ControlIdProperty = "controlId";

// Marks the widget with its id and accessible name and returns it.
template <typename Widget>
Widget* Identify(Widget* widget, int id, const QString& accessibleName) {
  widget->setProperty(ControlIdProperty, id);
  widget->setAccessibleDescription(QString::number(id));
  widget->setAccessibleName(accessibleName);
  return widget;
}

// The descendant of root with that id, or nullptr.
QWidget* FindControl(const QWidget* root, int id);

template <typename Widget>
Widget* FindControlAs(const QWidget* root, int id) {
  return qobject_cast<Widget*>(FindControl(root, id));
}

// A caption as a button shows it: the "\n" of multi-line captions kept, and
// the accessible name on one line.
QString OneLine(const QString& caption);

}  // namespace ostrin::ui
