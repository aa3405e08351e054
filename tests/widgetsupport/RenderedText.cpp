#include "tests/widgetsupport/RenderedText.h"

#include <QTextDocument>
#include <QUrl>
#include <QVariant>

namespace {

// Tells which resources its markup asks for, and loads none.
class RecordingDocument : public QTextDocument {
public:
    QStringList asked;

protected:
    QVariant loadResource(int, const QUrl& name) override {
        asked << name.toString();
        return {};
    }
};

} // namespace

RenderedText RenderAs(const QString& text, Qt::TextFormat format) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text))) {
        return {text, false, {}};
    }
    RecordingDocument document;
    document.setHtml(text);
    // Laid out as a widget would before showing it, so that every image is asked for.
    static_cast<void>(document.size());
    return {document.toPlainText(), true, document.asked};
}
