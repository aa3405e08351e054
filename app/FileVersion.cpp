#include "app/FileVersion.h"

#include "app/ProjectVersion.h"

QString FileVersionText() {
    return QStringLiteral("%1.%2").arg(kProjectVersionMajor).arg(kProjectVersionMinor);
}
