#include "lernstand/SaveFile.h"

#include "common/ui/MessageBoxes.h"
#include "lernstand/QuotedFileName.h"

#include <QSaveFile>

QString SaveFileBytes(const QString& fileName, std::string_view bytes) {
    QSaveFile file(fileName);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size ||
        !file.commit()) {
        return file.errorString();
    }
    return {};
}

void ShowNotSaved(QWidget* parent, const QString& fileName, const QString& reason) {
    ShowMessageBox(parent, QMessageBox::Warning,
                   QStringLiteral("Die Datei %1 konnte nicht gespeichert werden (%2).")
                       .arg(QuotedFileName(fileName), reason));
}
