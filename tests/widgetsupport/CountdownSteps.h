#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QTimer>

// Lets the chalkboard's countdown timer elapse as often as asked, at once: tests of the countdown
// need not wait for it. False when the board has no running countdown.
inline bool StepCountdown(const QObject& board, int steps) {
    auto* timer = board.findChild<QTimer*>(QStringLiteral("Timer1"));
    for (int step = 0; step < steps; ++step) {
        if (timer == nullptr || !timer->isActive()) {
            return false;
        }
        QMetaObject::invokeMethod(timer, "timeout");
    }
    return true;
}
