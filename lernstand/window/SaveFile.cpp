#include "lernstand/window/SaveFile.h"

#include "common/ui/MessageBoxes.h"
#include "facts/LocalCalendar.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/window/QuotedFileName.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QStandardPaths>

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
    ShowWarningBox(parent, QStringLiteral("Die Datei %1 konnte nicht gespeichert werden (%2).")
                               .arg(QuotedFileName(fileName), reason));
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QString StickFolder() {
    const QString media = QStringLiteral("/media/") + qEnvironmentVariable("USER");
    return QDir(media).exists() ? media : QDir::homePath();
}

QString AskFileToSave(QWidget* parent, const QString& caption, const QString& suggestedName,
                      const QString& filter, const QString& suffix, const QString& folder) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggestedName);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString TodayIso() {
    return QString::fromStdString(
        FileNameDate(LocalCalendar().DayOf(std::chrono::system_clock::now())));
}

void AskAndSave(QWidget* parent, const QString& caption, const QString& name, SavedKind kind,
                const std::function<QString(const QString& fileName)>& write) {
    const bool pdf = kind == SavedKind::Pdf;
    const QString suffix = pdf ? QStringLiteral("pdf") : QStringLiteral("csv");
    const QString fileName = AskFileToSave(
        parent, caption, QStringLiteral("%1-%2.%3").arg(name, TodayIso(), suffix),
        pdf ? QStringLiteral("PDF-Dateien (*.pdf)") : QStringLiteral("Tabellen (*.csv)"), suffix);
    if (fileName.isEmpty()) {
        return;
    }
    if (const QString reason = write(fileName); !reason.isEmpty()) {
        ShowNotSaved(parent, fileName, reason);
    }
}
