#pragma once

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <utility>

// The application's own error handler: the message in a modal box captioned with the application
// title, with the error icon and one OK button.
void ShowApplicationError(const QString& message);

// A message ending in a character above "." gets a full stop, as the classic handler did.
QString WithClosingFullStop(const QString& message);

// Runs an event handler's work so that no exception unwinds through Qt's event loop: a failure
// stops the work where it happened and is shown by the application's error handler.
template <typename Work> void RunGuarded(Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowApplicationError(QStringLiteral("Unbekannter Fehler"));
    }
}

// Hands calls from any thread over to the thread of owner, a window say, to run there guarded; a
// call still waiting when owner goes is dropped.
inline std::function<void(std::function<void()>)> GuardedCallsOn(QObject* owner) {
    return [owner](std::function<void()> call) {
        QMetaObject::invokeMethod(
            owner, [call = std::move(call)] { RunGuarded(call); }, Qt::QueuedConnection);
    };
}
