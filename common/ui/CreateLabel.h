#pragma once

#include "common/ui/PaletteColor.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

#include <concepts>

// A label owned by parent and named so that tests find it; it keeps the parent's font and shows
// its text as plain text (see PlainText.h).
template <std::derived_from<QLabel> Label = QLabel>
Label* CreateLabel(QWidget* parent, const QString& name) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A label in its own font.
template <std::derived_from<QLabel> Label = QLabel>
Label* CreateLabel(QWidget* parent, const QString& name, const QFont& font) {
    Label* label = CreateLabel<Label>(parent, name);
    label->setFont(font);
    return label;
}

// A label in its own font and text colour.
template <std::derived_from<QLabel> Label = QLabel>
Label* CreateLabel(QWidget* parent, const QString& name, const QFont& font, const QColor& color) {
    Label* label = CreateLabel<Label>(parent, name, font);
    SetTextColor(*label, color);
    return label;
}
