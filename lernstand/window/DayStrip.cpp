#include "lernstand/window/DayStrip.h"

#include "facts/LocalCalendar.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

constexpr int kBarPitch = 24;
constexpr int kBarWidth = 16;
constexpr int kBarArea = 30;
const QColor kBarColour(70, 110, 170);
const QColor kEmptyDay(200, 200, 200);

// "08.12.": the day without its year.
QString ShortDate(std::chrono::sys_days day) {
    return QString::fromStdString(DateText(day)).left(6);
}

} // namespace

DayStrip::DayStrip(QWidget* parent)
    : QWidget(parent) {
    setAccessibleName(QStringLiteral("Antworten der letzten 14 Tage"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DayStrip::SetDays(std::vector<DayCount> days) {
    days_ = std::move(days);
    QStringList perDay;
    for (const DayCount& day : days_) {
        perDay << QStringLiteral("%1: %2").arg(ShortDate(day.day)).arg(day.answers);
    }
    setAccessibleDescription(perDay.join(QStringLiteral(", ")));
    update();
}

QSize DayStrip::sizeHint() const {
    const int lines = 2 * fontMetrics().height();
    return {kStripDays * kBarPitch, kBarArea + lines};
}

void DayStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int countLine = metrics.height();
    const int baseline = countLine + kBarArea;
    int most = 1;
    for (const DayCount& day : days_) {
        most = std::max(most, day.answers);
    }
    for (std::size_t i = 0; i < days_.size(); ++i) {
        const DayCount& day = days_[i];
        const int left = static_cast<int>(i) * kBarPitch;
        const QRect slot(left, 0, kBarPitch, height());
        const int barHeight = day.answers == 0 ? 2 : std::max(3, kBarArea * day.answers / most);
        painter.fillRect(left + (kBarPitch - kBarWidth) / 2, baseline - barHeight, kBarWidth,
                         barHeight, day.answers == 0 ? kEmptyDay : kBarColour);
        painter.setPen(palette().color(QPalette::WindowText));
        if (day.answers > 0) {
            painter.drawText(QRect(left, baseline - barHeight - countLine, kBarPitch, countLine),
                             Qt::AlignCenter, QString::number(day.answers));
        }
        const unsigned dayOfMonth =
            static_cast<unsigned>(std::chrono::year_month_day(day.day).day());
        painter.drawText(QRect(slot.left(), baseline + 2, kBarPitch, countLine), Qt::AlignCenter,
                         QString::number(dayOfMonth));
    }
}
