#include "practice/window/TimeBarAccessible.h"

#include "practice/window/TimeBar.h"

TimeBarAccessible::TimeBarAccessible(TimeBar* bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

void* TimeBarAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TimeBarAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (Bar()->ShownSegments() == 0) {
        state.invisible = true;
    }
    return state;
}

QRect TimeBarAccessible::rect() const {
    const QRect area = Bar()->SegmentArea();
    return {Bar()->mapToGlobal(area.topLeft()), area.size()};
}

int TimeBarAccessible::childCount() const {
    return 0;
}

QAccessibleInterface* TimeBarAccessible::child(int) const {
    return nullptr;
}

int TimeBarAccessible::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QAccessibleInterface* TimeBarAccessible::childAt(int, int) const {
    return nullptr;
}

QVariant TimeBarAccessible::currentValue() const {
    return Bar()->ShownSegments();
}

void TimeBarAccessible::setCurrentValue(const QVariant&) {}

QVariant TimeBarAccessible::maximumValue() const {
    return Bar()->SegmentCount();
}

QVariant TimeBarAccessible::minimumValue() const {
    return 0;
}

QVariant TimeBarAccessible::minimumStepSize() const {
    return 1;
}

const TimeBar* TimeBarAccessible::Bar() const {
    return static_cast<const TimeBar*>(widget());
}

QAccessibleInterface* CreateTimeBarAccessible(const QString& className, QObject* object) {
    auto* bar = className == QLatin1String("TimeBar") ? qobject_cast<TimeBar*>(object) : nullptr;
    // Qt's accessibility cache owns what a factory returns.
    return bar != nullptr ? new TimeBarAccessible(bar) : nullptr;
}
