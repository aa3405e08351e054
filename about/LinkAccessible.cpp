#include "about/LinkAccessible.h"

#include "about/LinkLabel.h"

#include <QCoreApplication>
#include <QMouseEvent>

LinkAccessible::LinkAccessible(LinkLabel* link)
    : QAccessibleWidget(link, QAccessible::Link) {}

QString LinkAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return static_cast<const LinkLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(type);
}

QAccessible::State LinkAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    return state;
}

QStringList LinkAccessible::actionNames() const {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void LinkAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    // The same left click the mouse gives, so the link's own click handling decides.
    QWidget* link = widget();
    const QPointF centre = QRectF(link->rect()).center();
    const QPointF global = link->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(link, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(link, &release);
}

QAccessibleInterface* CreateLinkAccessible(const QString& className, QObject* object) {
    auto* link =
        className == QLatin1String("LinkLabel") ? qobject_cast<LinkLabel*>(object) : nullptr;
    // Qt's accessibility cache owns what a factory returns.
    return link != nullptr ? new LinkAccessible(link) : nullptr;
}
