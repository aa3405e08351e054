#pragma once

#include "lernstand/AnswerSummary.h"

#include <QWidget>

#include <vector>

// A small bar chart of the answers per day over the last two weeks, the latest day at the right.
class DayStrip : public QWidget {
    Q_OBJECT

public:
    explicit DayStrip(QWidget* parent = nullptr);

    void SetDays(std::vector<DayCount> days);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<DayCount> days_;
};
