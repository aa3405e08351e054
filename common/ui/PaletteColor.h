#pragma once

#include <QPalette>

class QColor;
class QWidget;

// Gives the widget its own colour for one role; the other roles stay inherited.
void SetPaletteColor(QWidget& widget, QPalette::ColorRole role, const QColor& color);

// The colour a label or frame draws its text in.
void SetTextColor(QWidget& widget, const QColor& color);
