#include "common/ui/SettingsNotSaved.h"

#include "common/ui/MessageBoxes.h"

void ShowSettingsNotSaved(QWidget* parent) {
    ShowPlainMessage(parent, QStringLiteral("Die Einstellungen konnten nicht gespeichert werden."));
}
