#pragma once

#include "journal/JournalCopy.h"
#include "journal/ReadOnlyJournal.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Every text the Lernstand shows a grown-up about a journal, worded here and nowhere else. What
// comes from outside (a file or folder name, the child's name, SQLite's reason) goes in as
// ShownText has it.

// „/media/stick/Lernstand.sqlite“: a file named in a message, quoted the German way.
std::string QuotedName(const std::string& fileName);

// "Reihenheld Lernstand", and for someone else's journal with its file and folder.
std::string LernstandTitle();
std::string LernstandTitle(const std::filesystem::path& othersJournal);

// What the window would do with a journal of a newer version.
enum class RefusedUse { Open, Show };

// A journal from a newer version of the program; without a file the sentence names none.
std::string NewerJournalText(const std::filesystem::path& journal, RefusedUse refused);
std::string NewerJournalText();

std::string NotAJournalText(const std::filesystem::path& file, const std::string& reason);
std::string NotAJournalText();
std::string UnreadableJournalText(const std::filesystem::path& journal, const std::string& reason);
std::string NotDeletedText(const std::filesystem::path& journal, const std::string& reason);

// Beside "Aufzeichnen" while nothing is recorded.
std::string NothingRecordedText();
// Where there are no answers to save.
std::string NoAnswersText();

// What ticking one switch of "Gezielt üben" and "Aufzeichnen" did to the other.
std::string RecordingAlsoOnText();
std::string TargetedAlsoOffText();
// Beneath the summary while the own journal cannot be read and "Gezielt üben" is on.
std::string TargetedPausedText();

// A name the journal could not keep.
std::string NameNotStoredText(const std::filesystem::path& journal, const std::string& reason);

// A child's name: long enough for a first and a last name; a longer one would only make a file
// name unwieldy. The name field takes no more, and a file name keeps no more.
inline constexpr std::size_t kMostNameCharacters = 40;

// The child's name as the name field shows it: no longer than the field takes.
std::string ShownName(const std::string& name);

// "2026-12-08": the day in the names suggested for files.
std::string FileNameDate(std::chrono::sys_days day);

// "Lernstand-Anna-2026-12-08.sqlite", the name suggested for a copy for the teacher. What a stick
// formatted for Windows does not take in a file name, and what would steer the layout of a name,
// is replaced; without a name, the date alone.
std::string TeacherCopyFileName(std::string_view name, std::chrono::sys_days day);
// A name TeacherCopyFileName gave, also as a file manager numbers a second copy ("… (1).sqlite").
bool IsTeacherCopyFileName(std::string_view fileName);

// While the copy is being saved in the background, and once "Abbrechen" is clicked.
std::string TeacherCopyRunningText(const std::filesystem::path& copy);
std::string TeacherCopyCancellingText();
// Asked for a second copy while one is being saved.
std::string TeacherCopyBusyText();
// Asked when the window is to close while a copy is being saved.
std::string CloseWhileCopyingText();
std::string TeacherCopySavedText(const std::filesystem::path& copy, std::int64_t answers);
// For a problem with the copy's file; the journal itself is never changed by a copy.
std::string TeacherCopyNotSavedText(const std::filesystem::path& copy, JournalCopy::Problem problem,
                                    const std::string& detail);

// "Reihenheld Lernstand – Klasse aus /media/lehrerin/STICK".
std::string ClassTitle(const std::filesystem::path& folder);
// While the folder is read, and once it is.
std::string ClassReadingText(std::size_t read, std::size_t files);
std::string ClassReadText(std::size_t counted, std::size_t files, bool cancelled);
// Why a file of a class folder is not counted: "ältere Kopie" when another copy of the child
// holds newer answers, "kein Lernstand (…)"; empty for a counted one.
std::string PupilNote(const JournalReading& reading, bool olderCopy);
std::string FolderNotReadText(const std::filesystem::path& folder, const std::string& reason);
