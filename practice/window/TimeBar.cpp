#include "practice/window/TimeBar.h"

#include "practice/PracticeEngine.h"
#include "practice/window/TimeBarAccessible.h"
#include "practice/window/TimeBarSegment.h"

#include <QAccessible>

#include <algorithm>
#include <array>

namespace {

// From green while there is time to red when it runs out.
constexpr std::array<QRgb, PracticeEngine::kSegmentCount> kSegmentColors{
    qRgb(0, 136, 0),   qRgb(0, 153, 0),   qRgb(17, 153, 0),  qRgb(34, 153, 0),  qRgb(51, 153, 0),
    qRgb(68, 153, 0),  qRgb(85, 153, 0),  qRgb(102, 170, 0), qRgb(136, 170, 0), qRgb(255, 170, 0),
    qRgb(255, 170, 0), qRgb(255, 153, 0), qRgb(255, 153, 0), qRgb(255, 119, 0), qRgb(255, 119, 0),
    qRgb(255, 68, 0),  qRgb(255, 51, 0),  qRgb(255, 34, 0),  qRgb(255, 17, 0),  qRgb(255, 0, 0)};

// Neighbours overlap by one pixel, so that they share their outline.
constexpr int kSegmentLeft = 112;
constexpr int kSegmentStep = 16;
constexpr int kSegmentTop = 168;
constexpr QSize kSegmentSize{17, 33};

} // namespace

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
    CreateSegments();
    SegmentsChanged();
}

void TimeBar::CreateSegments() {
    for (int tag = 1; tag <= PracticeEngine::kSegmentCount; ++tag) {
        auto* segment = new TimeBarSegment(tag, this);
        segment->setObjectName(QStringLiteral("Shape%1").arg(tag));
        segment->setGeometry(
            QRect({kSegmentLeft + kSegmentStep * (tag - 1), kSegmentTop}, kSegmentSize));
        segment->SetColor(QColor::fromRgb(kSegmentColors.at(static_cast<std::size_t>(tag - 1))));
        segments_.append(segment);
    }
}

int TimeBar::SegmentCount() const {
    return static_cast<int>(segments_.size());
}

int TimeBar::ShownSegments() const {
    return static_cast<int>(
        std::count_if(segments_.begin(), segments_.end(),
                      [this](const QWidget* segment) { return segment->isVisibleTo(this); }));
}

QRect TimeBar::SegmentArea() const {
    QRect area;
    for (const TimeBarSegment* segment : segments_) {
        area |= segment->geometry();
    }
    return area;
}

void TimeBar::SetSegmentVisible(int tag, bool visible) {
    TimeBarSegment* segment = segments_.at(tag - 1);
    // The bar is hidden several times per answer; only an actual change needs telling.
    if (segment->isHidden() != visible) {
        return;
    }
    segment->setVisible(visible);
    SegmentsChanged();
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
