// Colours of the pages' panels, captions and buttons.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

inline void Paint(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}
