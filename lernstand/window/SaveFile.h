#pragma once

#include <QString>

#include <functional>
#include <string_view>

class QWidget;

// Writes bytes to the file so that it appears whole or not at all. Returns the reason when it
// could not be written, else an empty text.
QString SaveFileBytes(const QString& fileName, std::string_view bytes);

// Tells the grown-up that the file could not be saved, and why.
void ShowNotSaved(QWidget* parent, const QString& fileName, const QString& reason);

// Where sticks are mounted, below /media/<user>, else the home folder: where a grown-up looks for
// a pupil's journal.
QString StickFolder();

// The documents folder, else the home folder.
QString DocumentsFolder();

// The file the grown-up chose in a save dialog, with the suffix added when left out; empty when
// cancelled.
QString AskFileToSave(QWidget* parent, const QString& caption, const QString& suggestedName,
                      const QString& filter, const QString& suffix,
                      const QString& folder = DocumentsFolder());

// "2026-12-08", for suggested file names.
QString TodayIso();

// The two kinds of file the Lernstand makes for grown-ups to keep.
enum class SavedKind { Pdf, Csv };

// Asks where to save, suggesting "<name>-<today>.pdf" or ".csv" in the documents folder, and has
// write put the file there; write returns the reason when it could not, which is then told.
void AskAndSave(QWidget* parent, const QString& caption, const QString& name, SavedKind kind,
                const std::function<QString(const QString& fileName)>& write);
