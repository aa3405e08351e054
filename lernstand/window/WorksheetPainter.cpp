#include "lernstand/window/WorksheetPainter.h"

#include "common/ui/MessageBoxes.h"
#include "common/ui/Utf8Text.h"
#include "lernstand/LernstandTexts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>
#include <string_view>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kPdfDotsPerInch = 300;

// The line's text, its name shortened so that the whole line fits into width.
QString Fitting(const PageText& item, const QFontMetricsF& metrics, double width) {
    const std::string_view text = item.text;
    const QString whole = FromUtf8(text);
    if (item.nameSize == 0 || metrics.horizontalAdvance(whole) <= width) {
        return whole;
    }
    const QString before = FromUtf8(text.substr(0, item.nameAt));
    const QString after = FromUtf8(text.substr(item.nameAt + item.nameSize));
    const QString name = FromUtf8(text.substr(item.nameAt, item.nameSize));
    const double room = width - metrics.horizontalAdvance(before + after);
    return before + metrics.elidedText(name, Qt::ElideRight, std::max(room, 0.0)) + after;
}

} // namespace

void PaintWorksheet(QPagedPaintDevice& device, const std::vector<WorksheetPage>& pages) {
    QPainter painter(&device);
    const double dotsPerMm = device.logicalDpiX() / kMillimetresPerInch;
    bool first = true;
    for (const WorksheetPage& page : pages) {
        if (!first) {
            device.newPage();
        }
        first = false;
        for (const PageText& item : page) {
            // Liberation Sans comes with the program's package; its metrics match Arial's.
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPointSizeF(item.points);
            font.setBold(item.bold);
            painter.setFont(font);
            const QPointF topLeft(item.leftMm * dotsPerMm, item.topMm * dotsPerMm);
            const double width = (kA4WidthMm - kWorksheetMarginMm - item.leftMm) * dotsPerMm;
            painter.drawText(QRectF(topLeft, QSizeF((kA4WidthMm - item.leftMm) * dotsPerMm,
                                                    (kA4HeightMm - item.topMm) * dotsPerMm)),
                             Qt::AlignLeft | Qt::AlignTop,
                             Fitting(item, QFontMetricsF(font, &device), width));
        }
    }
}

QString WriteWorksheetPdf(const QString& fileName, const std::vector<WorksheetPage>& pages) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        writer.setResolution(kPdfDotsPerInch);
        writer.setTitle(QStringLiteral("Einmaleins-Arbeitsblatt"));
        writer.setCreator(QString::fromStdString(LernstandTitle()));
        PaintWorksheet(writer, pages);
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

void PrintWorksheet(QWidget* parent, const std::vector<WorksheetPage>& pages) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        ShowPlainMessage(parent, QStringLiteral("Es ist kein Drucker eingerichtet. Mit "
                                                "„Arbeitsblatt…“ lässt sich das Arbeitsblatt "
                                                "als PDF speichern und später drucken."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Einmaleins-Arbeitsblatt"));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) {
        PaintWorksheet(printer, pages);
    }
}
