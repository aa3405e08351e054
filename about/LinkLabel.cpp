#include "about/LinkLabel.h"

#include "about/LinkAccessible.h"

#include <QAccessible>
#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent) {
    [[maybe_unused]] static const bool factoryInstalled = [] {
        QAccessible::installFactory(&CreateLinkAccessible);
        return true;
    }();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click starts no click of its own: the address goes out once.
    pressed_ = false;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // As with a button, the release must still be over the link.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}
