#include "lernstand/window/JournalMenu.h"

#include "common/ui/ErrorHandler.h"
#include "common/ui/MessageBoxes.h"
#include "lernstand/AnswerTable.h"
#include "lernstand/JournalFile.h"
#include "lernstand/LernstandEngine.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/WorksheetChoice.h"
#include "lernstand/window/SaveFile.h"
#include "lernstand/window/WorksheetPainter.h"
#include "lernstand/window/klasse/TKlasse.h"

#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>

#include <random>

namespace {

// What the file dialogs show of a journal.
const QString kJournalFilter = QStringLiteral("Lernstand (*.sqlite)");

// A fresh worksheet each time: the same weak facts, another order.
std::vector<WorksheetPage> Worksheet(const LernstandEngine& engine) {
    return WorksheetPages(ChooseWorksheetProblems(engine.Facts(), engine.FastBelow(),
                                                  engine.RowsInForce(), std::random_device()()));
}

} // namespace

JournalMenu::JournalMenu(QMainWindow* window, LernstandEngine& engine)
    : QObject(window)
    , window_(window)
    , engine_(engine) {
    QMenu* menu = window->menuBar()->addMenu(QStringLiteral("&Datei"));
    menu->setObjectName(QStringLiteral("FileMenu"));
    QAction* open = menu->addAction(QStringLiteral("Ö&ffnen…"), this, &JournalMenu::OpenClick);
    open->setShortcut(QKeySequence::Open);
    own_ =
        menu->addAction(QStringLiteral("&Eigener Lernstand"), this, &JournalMenu::OwnJournalClick);
    own_->setObjectName(QStringLiteral("OwnJournal"));
    menu->addAction(QStringLiteral("&Klasse öffnen…"), this, &JournalMenu::ClassClick);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Arbeitsblatt…"), this, &JournalMenu::WorksheetClick);
    QAction* print = menu->addAction(QStringLiteral("&Drucken…"), this, &JournalMenu::PrintClick);
    print->setShortcut(QKeySequence::Print);
    menu->addAction(QStringLiteral("Als &Tabelle speichern…"), this, &JournalMenu::TableClick);
    teacherCopy_ = menu->addAction(QStringLiteral("Für die &Lehrkraft speichern…"), this,
                                   &JournalMenu::TeacherCopyClick);
    teacherCopy_->setObjectName(QStringLiteral("TeacherCopy"));
    menu->addSeparator();
    QAction* quit = menu->addAction(QStringLiteral("&Beenden"), window, &QMainWindow::close);
    quit->setShortcut(QKeySequence::Quit);
    own_->setEnabled(false);
}

void JournalMenu::EnableOwnJournal(bool enabled) {
    own_->setEnabled(enabled);
}

void JournalMenu::EnableTeacherCopy(bool enabled) {
    teacherCopy_->setEnabled(enabled);
}

void JournalMenu::OpenClick() {
    RunGuarded([this] {
        const QString fileName =
            QFileDialog::getOpenFileName(window_, QStringLiteral("Lernstand öffnen"), StickFolder(),
                                         kJournalFilter + QStringLiteral(";;Alle Dateien (*)"));
        if (!fileName.isEmpty()) {
            engine_.OpenFile(QFile::encodeName(fileName).toStdString());
        }
    });
}

void JournalMenu::OwnJournalClick() {
    RunGuarded([this] { engine_.OpenOwnJournal(); });
}

void JournalMenu::ClassClick() {
    RunGuarded([this] {
        const QString folder = QFileDialog::getExistingDirectory(
            window_, QStringLiteral("Klasse öffnen: der Ordner mit den Lernständen"),
            StickFolder());
        if (!folder.isEmpty()) {
            OpenClass(QFile::encodeName(folder).toStdString());
        }
    });
}

void JournalMenu::OpenClass(const std::filesystem::path& folder) {
    auto* klasse = new TKlasse(folder, engine_.Threshold(), engine_.RowsInForce(), window_);
    connect(klasse, &TKlasse::PupilChosen, this, [this](const std::filesystem::path& journal) {
        RunGuarded([this, &journal] { engine_.OpenFile(journal); });
    });
    klasse->show();
}

void JournalMenu::WorksheetClick() {
    RunGuarded([this] {
        AskAndSave(window_, QStringLiteral("Arbeitsblatt speichern"),
                   QStringLiteral("Arbeitsblatt-Einmaleins"), SavedKind::Pdf,
                   [this](const QString& fileName) {
                       return WriteWorksheetPdf(fileName, Worksheet(engine_));
                   });
    });
}

void JournalMenu::PrintClick() {
    RunGuarded([this] { PrintWorksheet(window_, Worksheet(engine_)); });
}

void JournalMenu::TableClick() {
    RunGuarded([this] {
        const std::vector<JournalAnswer> answers =
            ReadAnswersWithRounds(engine_.Journal(), engine_.Origin());
        if (answers.empty()) {
            ShowPlainMessage(window_, QString::fromStdString(NoAnswersText()));
            return;
        }
        AskAndSave(window_, QStringLiteral("Als Tabelle speichern"),
                   QStringLiteral("Lernstand-Einmaleins"), SavedKind::Csv,
                   [&answers](const QString& fileName) {
                       return SaveFileBytes(fileName, AnswerTableCsv(answers));
                   });
    });
}

void JournalMenu::TeacherCopyClick() {
    RunGuarded([this] { engine_.TeacherCopyClicked(); });
}

QString JournalMenu::AskTeacherCopyFile(const QString& suggestedName) {
    return AskFileToSave(window_, QStringLiteral("Für die Lehrkraft speichern"), suggestedName,
                         kJournalFilter, QStringLiteral("sqlite"), StickFolder());
}
