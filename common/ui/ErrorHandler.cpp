#include "common/ui/ErrorHandler.h"

#include "common/ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

QString WithClosingFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void ShowApplicationError(const QString& message) {
    ShowMessageBox(QApplication::activeWindow(), QMessageBox::Critical,
                   WithClosingFullStop(message));
}
