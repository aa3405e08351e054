#include "common/ui/PlainText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QToolTip>

namespace {

// Shows the items' tooltips of the view whose viewport it watches, before the view's delegate
// would show them as Qt guesses.
class PlainItemToolTips : public QObject {
public:
    explicit PlainItemToolTips(QAbstractItemView& view)
        : QObject(&view)
        , view_(view) {
        view.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return false;
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = view_.indexAt(help->pos());
        const QString text = index.data(Qt::ToolTipRole).toString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            ShowPlainToolTip(help->globalPos(), text, view_.viewport(), view_.visualRect(index));
        }
        return true;
    }

private:
    QAbstractItemView& view_;
};

// What QLineEdit keeps free around its text besides the style's frame and the text margins.
constexpr int kFieldTextMargin = 2;

} // namespace

void SetPlainText(QLabel& label, const QString& text) {
    label.setTextFormat(Qt::PlainText);
    label.setText(text);
}

void SetPlainText(QLineEdit& field, const QString& text) {
    field.setText(text);
}

void SetPlainText(QAbstractButton& button, const QString& text) {
    button.setText(text);
}

QString PlainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    // Without white-space:pre, Qt would also wrap the text as it wraps rich text.
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void SetPlainToolTip(QWidget& widget, const QString& text) {
    widget.setToolTip(PlainToolTip(text));
    widget.setAccessibleDescription(text);
}

void ShowPlainToolTip(const QPoint& globalPosition, const QString& text, QWidget* widget,
                      const QRect& rect) {
    QToolTip::showText(globalPosition, PlainToolTip(text), widget, rect);
}

void ShowPlainToolTips(QAbstractItemView& view) {
    new PlainItemToolTips(view);
}

void SetPlainWindowTitle(QWidget& window, const QString& title) {
    // Qt shows "[*][*]" as "[*]", and a lone "[*]" not at all.
    window.setWindowTitle(QString(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

QString ElidedForField(const QLineEdit& field, const QString& text) {
    QStyleOptionFrame frame;
    frame.initFrom(&field);
    frame.rect = field.rect();
    frame.lineWidth = field.hasFrame()
                          ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &field)
                          : 0;
    const QRect room = field.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &field) -
                       field.textMargins();
    return field.fontMetrics().elidedText(text, Qt::ElideRight,
                                          room.width() - 2 * kFieldTextMargin);
}
