#pragma once

#include "lernstand/core/WorksheetLayout.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;

// Paints the pages onto a PDF file or a printer whose page is A4 without margins.
void PaintWorksheet(QPagedPaintDevice& device, const std::vector<WorksheetPage>& pages);

// Writes the pages as an A4 PDF file; the file appears whole or not at all. Returns the reason
// when it could not be written, else an empty text.
QString WriteWorksheetPdf(const QString& fileName, const std::vector<WorksheetPage>& pages);
