#include "common/ui/PaletteColor.h"

#include <QColor>
#include <QWidget>

void SetPaletteColor(QWidget& widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(role, color);
    widget.setPalette(palette);
}

void SetTextColor(QWidget& widget, const QColor& color) {
    SetPaletteColor(widget, QPalette::WindowText, color);
}
