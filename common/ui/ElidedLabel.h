#pragma once

#include <QLabel>
#include <QString>

// One line of plain text, shortened with "…" to the width the layout gives it; it never asks for
// more, so a long folder name cannot widen its window.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void ShowText(const QString& text);
    // The whole text, of which text() shows what fits.
    const QString& WholeText() const { return whole_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Elide();

    QString whole_;
};
