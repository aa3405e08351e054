#pragma once

#include <QString>

class QWidget;

// Every message box shows its text as plain text: a file's name or SQLite's reason in it may look
// like markup.

// The next three each show a modal box captioned with the application title and one "OK" button,
// and return when it is confirmed.

// How wrong input is reported, and what the program has to say: the German message, no icon.
void ShowPlainMessage(QWidget* parent, const QString& text);
// Something did not work as asked: with the warning icon.
void ShowWarningBox(QWidget* parent, const QString& text);
// A failure of the program itself: with the error icon.
void ShowErrorBox(QWidget* parent, const QString& text);

// A question with "Ja" and "Nein", "Nein" chosen by Enter and by Escape; true for "Ja".
bool AskYesNo(QWidget* parent, const QString& question);

// From now on every message box of the application shows its text as plain text, also those Qt's
// own dialogs open, such as a file dialog asking before it replaces or deletes a file it names.
void KeepEveryMessageBoxPlain();
