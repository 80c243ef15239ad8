#pragma once

#include "reportlayout.h"

#include <vector>

class QPagedPaintDevice;

// US Letter, portrait, 12.7 mm margins on every side.
void setReportPageLayout(QPagedPaintDevice &device);

// Paints the pages onto a device whose page layout is the report's, one
// device page per report page. False when the device cannot be painted on.
bool paintReport(const std::vector<ReportPage> &pages, QPagedPaintDevice &device);
