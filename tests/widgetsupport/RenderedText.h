#pragma once

#include <QString>
#include <QStringList>

// What a widget shows of a text in the given format: the text itself, or, where the widget takes
// it for markup, what the markup says once laid out, and the resources (images) it asked for.
struct RenderedText {
    QString shown;
    bool markup = false;
    QStringList resources;
};

RenderedText RenderAs(const QString& text, Qt::TextFormat format);
