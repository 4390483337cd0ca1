#include "ui/ControlIds.h"

namespace ostrin::ui {

QWidget* FindControl(const QWidget* root, int id) {
  const auto children = root->findChildren<QWidget*>();
  for (QWidget* child : children) {
    const QVariant value = child->property(ControlIdProperty);
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

QString OneLine(const QString& caption) {
  QString text = caption;
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text.simplified();
}

}  // namespace ostrin::ui
