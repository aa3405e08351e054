#include "about/LinkLabel.h"

#include "about/LinkAccessible.h"

#include <QAccessible>

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent) {
    [[maybe_unused]] static const bool factoryInstalled = [] {
        QAccessible::installFactory(&CreateLinkAccessible);
        return true;
    }();
}
