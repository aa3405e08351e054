#include "common/ui/ElidedLabel.h"

#include "common/ui/PlainText.h"

#include <QFontMetrics>

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // Takes the width there is, and shortens its text to it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::ShowText(const QString& text) {
    whole_ = text;
    Elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidedLabel::Elide() {
    const QString shown = fontMetrics().elidedText(whole_, Qt::ElideRight, contentsRect().width());
    if (shown != text()) {
        SetPlainText(*this, shown);
    }
}
