#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "engine/loading_steps.h"
#include "report/report_pdf.h"

namespace varnel {

// A name ending in .xlsx (any case) asks for the step table, any other for
// the PDF.
bool names_spreadsheet(const QString& file_name);

// The report as `file_name` asks for it: the spreadsheet, or the PDF on
// `paper`. None when it cannot be made; a PDF needs a QGuiApplication.
std::optional<QByteArray> report_file(const loading_report& report, const QString& file_name,
                                      paper_size paper);

}  // namespace varnel
