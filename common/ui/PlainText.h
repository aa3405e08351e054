#pragma once

#include <QString>

class QAbstractButton;
class QAbstractItemView;
class QLabel;
class QLineEdit;
class QPoint;
class QRect;
class QWidget;

// Every text a window shows is set through here. Qt takes a label's or a tooltip's text for markup
// when it looks like some (Qt::mightBeRichText), and markup loads every image it names from the
// disk, /dev/zero too; a text from outside (a file name, a child's name, SQLite's reason) may look
// like anything. So a label shows its text as plain text, and a tooltip that Qt would take for
// markup is handed over escaped: what shows is always the text as it is.

void SetPlainText(QLabel& label, const QString& text);
// Line edits and buttons never take text for markup; they are set here all the same, so that no
// widget's text goes around this one place.
void SetPlainText(QLineEdit& field, const QString& text);
void SetPlainText(QAbstractButton& button, const QString& text);

// The text as QToolTip shows it plainly: unchanged where Qt would not take it for markup, else
// escaped in a paragraph that keeps its blanks and line breaks.
QString PlainToolTip(const QString& text);
// The widget's tooltip, and the same text as its description for screen readers, which would
// otherwise read the escaped tooltip.
void SetPlainToolTip(QWidget& widget, const QString& text);
void ShowPlainToolTip(const QPoint& globalPosition, const QString& text, QWidget* widget,
                      const QRect& rect);
// The view shows its items' Qt::ToolTipRole through ShowPlainToolTip.
void ShowPlainToolTips(QAbstractItemView& view);

// The title as it is: Qt takes "[*]" in a title for the place of the "modified" mark.
void SetPlainWindowTitle(QWidget& window, const QString& title);

// The text shortened with "…" to the width the field shows it in.
QString ElidedForField(const QLineEdit& field, const QString& text);
