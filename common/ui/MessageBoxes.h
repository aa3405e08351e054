#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box shows its text as plain text: a file's name or SQLite's reason in it may look
// like markup.

// A modal box captioned with the application title and one "OK" button; returns when confirmed.
void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

// How wrong input is reported: the German message without an icon.
void ShowPlainMessage(QWidget* parent, const QString& text);

// A question with "Ja" and "Nein", "Nein" chosen by Enter and by Escape; true for "Ja".
bool AskYesNo(QWidget* parent, const QString& question);

// From now on every message box of the application shows its text as plain text, also those Qt's
// own dialogs open, such as a file dialog asking before it replaces or deletes a file it names.
void KeepEveryMessageBoxPlain();
