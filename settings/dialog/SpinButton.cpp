#include "settings/dialog/SpinButton.h"

#include <QTimer>

SpinButton::SpinButton(Qt::ArrowType arrow, QWidget* parent)
    : QToolButton(parent) {
    setArrowType(arrow);
    setFocusPolicy(Qt::NoFocus);
    repeatTimer_ = new QTimer(this);
    repeatTimer_->setObjectName(QStringLiteral("RepeatTimer"));
    connect(this, &QAbstractButton::pressed, this, [this] {
        emit Step();
        repeatTimer_->start(kFirstRepeatDelay);
    });
    connect(this, &QAbstractButton::released, repeatTimer_, &QTimer::stop);
    connect(repeatTimer_, &QTimer::timeout, this, &SpinButton::Repeat);
}

void SpinButton::Repeat() {
    // setDown(false) lets go of the button without the released() signal.
    if (!isDown()) {
        repeatTimer_->stop();
        return;
    }
    repeatTimer_->setInterval(kRepeatInterval);
    emit Step();
}
