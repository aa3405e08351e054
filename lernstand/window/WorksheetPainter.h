#pragma once

#include "lernstand/WorksheetLayout.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;
class QWidget;

// Paints the pages onto a PDF file or a printer whose page is A4 without margins.
void PaintWorksheet(QPagedPaintDevice& device, const std::vector<WorksheetPage>& pages);

// Writes the pages as an A4 PDF file; the file appears whole or not at all. Returns the reason
// when it could not be written, else an empty text.
QString WriteWorksheetPdf(const QString& fileName, const std::vector<WorksheetPage>& pages);

// Lets the grown-up choose a printer and prints the pages on A4; without a printer set up it says
// so and points to the PDF.
void PrintWorksheet(QWidget* parent, const std::vector<WorksheetPage>& pages);
