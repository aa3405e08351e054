#pragma once

#include "lernstand/LernstandTexts.h"

#include <QDir>
#include <QString>

// A file named in a message, quoted as every message of the Lernstand quotes one.
inline QString QuotedFileName(const QString& fileName) {
    return QString::fromStdString(QuotedName(QDir::toNativeSeparators(fileName).toStdString()));
}
