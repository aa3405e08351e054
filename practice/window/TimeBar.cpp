#include "practice/window/TimeBar.h"

#include "practice/window/TimeBarAccessible.h"
#include "practice/window/TimeBarSegment.h"

#include <QAccessible>

#include <algorithm>

TimeBar::TimeBar(QWidget* parent)
    : QWidget(parent) {
    [[maybe_unused]] static const bool factoryInstalled = [] {
        QAccessible::installFactory(&CreateTimeBarAccessible);
        return true;
    }();
    setObjectName(QStringLiteral("TimeBar"));
    setAccessibleName(QStringLiteral("Zeit"));
    // The controls underneath keep the mouse.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

int TimeBar::SegmentCount() const {
    return static_cast<int>(findChildren<TimeBarSegment*>(Qt::FindDirectChildrenOnly).size());
}

int TimeBar::ShownSegments() const {
    const QList<TimeBarSegment*> segments =
        findChildren<TimeBarSegment*>(Qt::FindDirectChildrenOnly);
    return static_cast<int>(
        std::count_if(segments.begin(), segments.end(),
                      [this](const QWidget* segment) { return segment->isVisibleTo(this); }));
}

QRect TimeBar::SegmentArea() const {
    QRect area;
    for (const TimeBarSegment* segment :
         findChildren<TimeBarSegment*>(Qt::FindDirectChildrenOnly)) {
        area |= segment->geometry();
    }
    return area;
}

void TimeBar::SegmentsChanged() {
    const int shown = ShownSegments();
    if (shown == reportedSegments_) {
        return;
    }
    // An empty bar is hidden from screen readers, the way it is from the eye.
    if ((shown == 0) != (reportedSegments_ == 0)) {
        QAccessibleEvent visibility(this,
                                    shown == 0 ? QAccessible::ObjectHide : QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&visibility);
    }
    reportedSegments_ = shown;
    QAccessibleValueChangeEvent value(this, shown);
    QAccessible::updateAccessibility(&value);
}
