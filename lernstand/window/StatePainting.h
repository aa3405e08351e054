#pragma once

#include "facts/FactState.h"

#include <QColor>
#include <QString>

class QFont;
class QPainter;
class QRect;

// Colour and mark together, so a state reads without colour vision and in a grey print. The
// symbol is the mark as text, for screen readers.
struct StateLook {
    QColor fill;
    QColor ink;
    QString symbol;
};

StateLook LookOf(FactState state);

// How wide the state's mark is drawn beside text of that font; zero for a state without one.
int MarkWidth(FactState state, const QFont& font);

// A fact's box: the state's colour, the fact's label at the left and the mark at the right;
// without a label only the mark, centred.
void PaintStateBox(QPainter& painter, const QRect& box, FactState state, const QString& label,
                   const QFont& font);
