#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// A modal box captioned with the application title and one "OK" button; returns when confirmed.
void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

// How wrong input is reported: the German message without an icon.
void ShowPlainMessage(QWidget* parent, const QString& text);
