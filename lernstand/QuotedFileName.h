#pragma once

#include <QDir>
#include <QString>

// „/media/stick/Lernstand.sqlite“: a file named in a message, quoted the German way.
inline QString QuotedFileName(const QString& fileName) {
    return QStringLiteral("„%1“").arg(QDir::toNativeSeparators(fileName));
}
