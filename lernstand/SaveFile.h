#pragma once

#include <QString>

#include <string_view>

class QWidget;

// Writes bytes to the file so that it appears whole or not at all. Returns the reason when it
// could not be written, else an empty text.
QString SaveFileBytes(const QString& fileName, std::string_view bytes);

// Tells the grown-up that the file could not be saved, and why.
void ShowNotSaved(QWidget* parent, const QString& fileName, const QString& reason);
