#pragma once

#include <QRect>
#include <QWidget>

class TimeBarSegment;

// A layer over the whole board that holds the twenty time-bar segments and paints nothing
// itself. It stands for the bar towards screen readers: one progress indicator "Zeit" whose
// value is the number of segments shown, instead of twenty loose rectangles.
class TimeBar : public QWidget {
    Q_OBJECT

public:
    explicit TimeBar(QWidget* parent);

    int SegmentCount() const;
    int ShownSegments() const;
    // Where the segments lie, in this widget's coordinates.
    QRect SegmentArea() const;
    // Segments are numbered from 1, left to right.
    void SetSegmentVisible(int tag, bool visible);

private:
    void CreateSegments();
    // Tells screen readers the new count after segments were shown or hidden.
    void SegmentsChanged();

    QList<TimeBarSegment*> segments_;
    int reportedSegments_ = 0;
};
