#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <future>

class QSvgRenderer;

// A picture stretched over the whole widget. The SVG is parsed when first painted and rendered
// once per size, so hidden pictures cost nothing at start-up.
class SvgPicture : public QWidget {
    Q_OBJECT

public:
    SvgPicture(const QString& resource, QWidget* parent);
    ~SvgPicture() override;

    // For a picture shown at once: renders it at its current size on a worker thread, so that
    // the first paint only waits for what is left while the window is still being set up.
    void RenderAhead();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize PixelSize() const;

    QString resource_;
    QImage cache_;
    std::future<QImage> ahead_;
};

// The whole picture stretched to the given size in device pixels, over the given ground. Safe
// on any thread.
QImage RenderSvg(QSvgRenderer& renderer, const QSize& pixels, const QColor& ground);
