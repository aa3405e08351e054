#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QSvgRenderer;

// A picture stretched over the whole widget. The SVG is parsed when first painted and rendered
// once per size, so hidden pictures cost nothing at start-up.
class SvgPicture : public QWidget {
    Q_OBJECT

public:
    SvgPicture(const QString& resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QPixmap cache_;
};
