#pragma once

#include <QColor>
#include <QWidget>

// One segment of the time bar: a filled rectangle with a one-pixel black outline.
class TimeBarSegment : public QWidget {
    Q_OBJECT

public:
    TimeBarSegment(int tag, QWidget* parent);

    int Tag() const { return tag_; }
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int tag_;
    QColor color_;
};
