#pragma once

#include "lernstand/core/FactState.h"

#include <QColor>
#include <QString>

class QFont;
class QPainter;
class QRect;

// Colour and symbol together, so a state reads without colour vision and in a grey print.
struct StateLook {
    QColor fill;
    QColor ink;
    QString symbol;
};

StateLook LookOf(FactState state);

// A fact's box: the state's colour, the fact's label at the left and the symbol at the right;
// without a label only the symbol, centred.
void PaintStateBox(QPainter& painter, const QRect& box, FactState state, const QString& label,
                   const QFont& font);
