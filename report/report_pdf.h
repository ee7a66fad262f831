#pragma once

#include <QByteArray>

#include <optional>

#include "engine/loading_steps.h"

class QPagedPaintDevice;

namespace varnel {

enum class paper_size { a4, letter };

// The loading instructions on the device's pages, in its page size and
// margins (a PDF writer, or the printer the user chose): a summary page,
// then the steps three to a page, each with a picture of the load so far;
// a mixed order adds a page per container. Every page's foot names the
// program and its version and numbers the page. `copies` repeats the whole
// report. False when the device refuses to paint or to start a page.
bool paint_report(QPagedPaintDevice& device, const loading_report& report, int copies = 1);

// The same as a PDF file's bytes, on A4 or Letter; none when it could not
// be painted. Needs a QGuiApplication (fonts).
std::optional<QByteArray> report_pdf(const loading_report& report, paper_size paper);

}  // namespace varnel
