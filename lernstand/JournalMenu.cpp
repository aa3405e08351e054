#include "lernstand/JournalMenu.h"

#include "common/ui/ErrorHandler.h"
#include "common/ui/MessageBoxes.h"
#include "lernstand/FactTableModel.h"
#include "lernstand/QuotedFileName.h"
#include "lernstand/WorksheetPainter.h"
#include "lernstand/core/AnswerTable.h"
#include "lernstand/core/JournalFile.h"
#include "lernstand/core/WorksheetChoice.h"
#include "practice/RowsInForce.h"
#include "settings/StoredSettings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <random>

namespace {

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

// Sticks are mounted below /media/<user>; elsewhere the home folder is the place to start.
QString StickFolder() {
    const QString media = QStringLiteral("/media/") + qEnvironmentVariable("USER");
    return QDir(media).exists() ? media : QDir::homePath();
}

// The file the user chose in a save dialog, with the suffix added when left out; empty when
// cancelled.
QString AskFileToSave(QWidget* parent, const QString& caption, const QString& suggestedName,
                      const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent, caption, DocumentsFolder(), filter);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggestedName);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::vector<WorksheetPage> Worksheet(const FactTableModel& model) {
    const FactTable& facts = model.Facts();
    const std::chrono::milliseconds threshold = model.Threshold();
    const std::vector<WorksheetProblem> problems = ChooseWorksheetProblems(
        [&facts, threshold](int row, int multiplier) {
            return facts.State(row, multiplier, threshold);
        },
        RowsInForce(StoredSettings()), std::random_device()());
    return WorksheetPages(problems);
}

void ShowNotSaved(QWidget* parent, const QString& fileName, const QString& reason) {
    ShowMessageBox(parent, QMessageBox::Warning,
                   QStringLiteral("Die Datei %1 konnte nicht gespeichert werden (%2).")
                       .arg(QuotedFileName(fileName), reason));
}

std::filesystem::path PathOf(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

} // namespace

JournalMenu::JournalMenu(QMainWindow* window, const FactTableModel* model)
    : QObject(window)
    , window_(window)
    , model_(model) {
    QMenu* menu = window->menuBar()->addMenu(QStringLiteral("&Datei"));
    menu->setObjectName(QStringLiteral("FileMenu"));
    QAction* open = menu->addAction(QStringLiteral("Ö&ffnen…"), this, &JournalMenu::OpenClick);
    open->setShortcut(QKeySequence::Open);
    own_ =
        menu->addAction(QStringLiteral("&Eigener Lernstand"), this, &JournalMenu::OwnJournalChosen);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Arbeitsblatt…"), this, &JournalMenu::WorksheetClick);
    QAction* print = menu->addAction(QStringLiteral("&Drucken…"), this, &JournalMenu::PrintClick);
    print->setShortcut(QKeySequence::Print);
    menu->addAction(QStringLiteral("Als &Tabelle speichern…"), this, &JournalMenu::TableClick);
    menu->addSeparator();
    QAction* quit = menu->addAction(QStringLiteral("&Beenden"), window, &QMainWindow::close);
    quit->setShortcut(QKeySequence::Quit);
    own_->setEnabled(false);
}

void JournalMenu::SetJournal(const std::filesystem::path& journal, bool foreign) {
    journal_ = journal;
    own_->setEnabled(foreign);
}

void JournalMenu::OpenFile(const QString& fileName) {
    const std::filesystem::path path = PathOf(fileName);
    const JournalFileCheck check = CheckJournalFile(path);
    switch (check.kind) {
    case JournalFileCheck::Kind::Journal:
        emit JournalChosen(path);
        return;
    case JournalFileCheck::Kind::Newer:
        ShowMessageBox(window_, QMessageBox::Warning,
                       QStringLiteral("Der Lernstand %1 stammt von einer neueren Version von "
                                      "Reihenheld und kann hier nicht geöffnet werden.")
                           .arg(QuotedFileName(fileName)));
        return;
    case JournalFileCheck::Kind::Other:
        break;
    }
    ShowMessageBox(window_, QMessageBox::Warning,
                   QStringLiteral("Die Datei %1 ist kein Lernstand von Reihenheld (%2).")
                       .arg(QuotedFileName(fileName), QString::fromStdString(check.problem)));
}

void JournalMenu::OpenClick() {
    RunGuarded([this] {
        const QString fileName =
            QFileDialog::getOpenFileName(window_, QStringLiteral("Lernstand öffnen"), StickFolder(),
                                         QStringLiteral("Lernstand (*.sqlite);;Alle Dateien (*)"));
        if (!fileName.isEmpty()) {
            OpenFile(fileName);
        }
    });
}

void JournalMenu::WorksheetClick() {
    RunGuarded([this] {
        const QString fileName =
            AskFileToSave(window_, QStringLiteral("Arbeitsblatt speichern"),
                          QStringLiteral("Arbeitsblatt-Einmaleins-%1.pdf")
                              .arg(QDate::currentDate().toString(Qt::ISODate)),
                          QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("pdf"));
        if (fileName.isEmpty()) {
            return;
        }
        if (const QString reason = WriteWorksheetPdf(fileName, Worksheet(*model_));
            !reason.isEmpty()) {
            ShowNotSaved(window_, fileName, reason);
        }
    });
}

void JournalMenu::PrintClick() {
    RunGuarded([this] {
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            ShowPlainMessage(window_, QStringLiteral("Es ist kein Drucker eingerichtet. Mit "
                                                     "„Arbeitsblatt…“ lässt sich das Arbeitsblatt "
                                                     "als PDF speichern und später drucken."));
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setFullPage(true);
        printer.setDocName(QStringLiteral("Einmaleins-Arbeitsblatt"));
        QPrintDialog dialog(&printer, window_);
        if (dialog.exec() == QDialog::Accepted) {
            PaintWorksheet(printer, Worksheet(*model_));
        }
    });
}

void JournalMenu::TableClick() {
    RunGuarded([this] {
        const std::vector<JournalAnswer> answers = ReadAnswersWithRounds(journal_);
        if (answers.empty()) {
            ShowPlainMessage(window_, QStringLiteral("Im Lernstand sind noch keine Antworten "
                                                     "aufgezeichnet."));
            return;
        }
        const QString fileName =
            AskFileToSave(window_, QStringLiteral("Als Tabelle speichern"),
                          QStringLiteral("Lernstand-Einmaleins-%1.csv")
                              .arg(QDate::currentDate().toString(Qt::ISODate)),
                          QStringLiteral("Tabellen (*.csv)"), QStringLiteral("csv"));
        if (fileName.isEmpty()) {
            return;
        }
        const std::string csv = AnswerTableCsv(answers);
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(csv.data(), static_cast<qint64>(csv.size())) !=
                static_cast<qint64>(csv.size()) ||
            !file.commit()) {
            ShowNotSaved(window_, fileName, file.errorString());
        }
    });
}
