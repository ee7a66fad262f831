#include "output/print.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <optional>

#include "output/capture.h"
#include "output/messages.h"
#include "output/pfrom.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

constexpr double twips_per_inch = 1440.0;
constexpr double screen_pixels_per_inch = 96.0;
constexpr double left_offset_twips = 100.0;
constexpr double top_offset_twips = 200.0;

// One page per copy, each a fresh page after the first, so the document ends
// on the last picture and never with an empty page. False when the printer
// fails: the document cannot start, a page cannot be added or it cannot end.
bool print_pages(QPrinter& printer, const picture& captured, int copies) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // Set, not assumed: Qt's PDF engine keeps the transformation the last
    // print left (the instructions' scale to points) and would draw the
    // picture 16 times too large under a new painter that never sets one.
    painter.setWorldTransform(QTransform());
    // With fullPage off (Qt's default) the painter's origin is the printable
    // area's top left.
    const double dots = printer.resolution();
    const QPointF at(left_offset_twips * dots / twips_per_inch,
                     top_offset_twips * dots / twips_per_inch);
    const QSizeF size = QSizeF(captured.size()) * (dots / screen_pixels_per_inch);
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1 && !printer.newPage()) {
            painter.end();
            return false;
        }
        if (!captured.empty()) painter.drawImage(QRectF(at, size), captured.bitmap);
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace

print_outcome print_window(pfrom& holder, prompts& ask, QWidget* main_window) {
    holder.clear_picture();
    holder.set_picture(CaptureActiveWindow(main_window));

    QPrinter& printer = holder.printer();
    const std::optional<int> chosen = ask.print_dialog(printer);
    if (!chosen) return print_outcome::cancelled;

    // The dialog counts copies in 16 bits.
    const int copies = std::clamp(*chosen, 0, 32767);
    // Each copy is a page of its own; a driver told to repeat the job as well
    // would print copies × copies pages.
    printer.setCopyCount(1);
    if (copies == 0) return print_outcome::printed;

    if (!print_pages(printer, holder.current_picture(), copies)) {
        ask.message(qtext(text::print_failed));
        return print_outcome::failed;
    }
    return print_outcome::printed;
}

}  // namespace varnel
