#pragma once

#include <QToolButton>

class QTimer;

// One of the spin field's two small arrow buttons. Pressing it steps once; held down, it steps
// again after kFirstRepeatDelay and then every kRepeatInterval until it is released.
class SpinButton : public QToolButton {
    Q_OBJECT

public:
    static constexpr int kFirstRepeatDelay = 400;
    static constexpr int kRepeatInterval = 100;

    SpinButton(Qt::ArrowType arrow, QWidget* parent);

signals:
    void Step();

private:
    void Repeat();

    QTimer* repeatTimer_ = nullptr;
};
