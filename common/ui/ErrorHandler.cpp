#include "common/ui/ErrorHandler.h"

#include "common/ui/MessageBoxes.h"

#include <QApplication>
#include <QMainWindow>

#include <algorithm>

namespace {

// Over the window in use; when none of the program's is active (a countdown step failing while the
// user works elsewhere), over the main window, so that the box gets no task-bar button of its own.
QWidget* BoxOwner() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto main = std::find_if(windows.begin(), windows.end(), [](const QWidget* window) {
        return window->isVisible() && qobject_cast<const QMainWindow*>(window) != nullptr;
    });
    return main != windows.end() ? *main : nullptr;
}

} // namespace

QString WithClosingFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void ShowApplicationError(const QString& message) {
    ShowErrorBox(BoxOwner(), WithClosingFullStop(message));
}
