#pragma once

class QWidget;

// Tells the user that the settings file could not be written; every window that saves settings
// says it in the same words.
void ShowSettingsNotSaved(QWidget* parent);
