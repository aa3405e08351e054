#pragma once

#include <QLabel>

class QMouseEvent;

// A label that acts as a link: a left press and release on it is a click, a double-click counts
// as one, and screen readers meet it as a link they can follow.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A left press on the label waits for its release.
    bool pressed_ = false;
};
