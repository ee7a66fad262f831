#include "report/report_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "report/load_picture.h"
#include "report/messages.h"
#include "report/report_text.h"
#include "ui/fonts.h"
#include "ui/qtext.h"
#include "version.h"
#include "view/solid_scene.h"

namespace varnel {

namespace {

// Sizes in points (the painter's unit).
constexpr double line_gap = 1.45;  // line height per font size
constexpr double footer_room = 24;
constexpr std::size_t steps_per_page = 3;
constexpr int body = 10;

struct load_data {
    const report_load* load;
    loading_instructions order;
    solid_scene scene;  // its loading steps' parts in order
};

// What each page shows, worked out before the first is painted so every
// foot can say how many pages there are.
struct page {
    enum class kind { summary, pallet, load, steps } what;
    std::size_t load = 0;  // the pallet type of a pallet page
    std::size_t first_step = 0;
};

std::vector<page> pages_of(const std::vector<load_data>& loads, std::size_t pallets) {
    std::vector<page> pages{{page::kind::summary}};
    for (std::size_t k = 0; k < pallets; ++k) pages.push_back({page::kind::pallet, k});
    for (std::size_t l = 0; l < loads.size(); ++l) {
        if (loads.size() > 1) pages.push_back({page::kind::load, l});
        for (std::size_t s = 0; s < loads[l].order.steps.size(); s += steps_per_page) {
            pages.push_back({page::kind::steps, l, s});
        }
    }
    return pages;
}

class report_painter {
public:
    report_painter(QPainter& painter, QSizeF area, const loading_report& report)
        : p_(painter), area_(area), r_(report) {
        for (std::size_t l = 0; l < report.loads.size(); ++l) {
            const report_load& load = report.loads[l];
            loads_.push_back(
                {&load, instructions_of(load.blocks, report.types), scene_of(report, l, false)});
        }
    }

    std::vector<page> pages() const { return pages_of(loads_, r_.pallets.size()); }

    void paint(const page& pg, int number, int count) {
        switch (pg.what) {
            case page::kind::summary: summary(); break;
            case page::kind::pallet: pallet_page(r_.pallets[pg.load]); break;
            case page::kind::load: load_page(loads_[pg.load]); break;
            case page::kind::steps: steps_page(loads_[pg.load], pg.first_step); break;
        }
        footer(number, count);
    }

private:
    // A line of text from the left at height y, wrapped to `width`; the
    // height below it where the next line starts.
    double text(const QString& s, double x, double y, double width, int size, bool bold = false,
                int align = Qt::AlignLeft) {
        p_.setFont(page_font(size, bold));
        p_.setPen(Qt::black);
        QRectF used;
        p_.drawText(QRectF(x, y, width, area_.height()), align | Qt::AlignTop | Qt::TextWordWrap, s,
                    &used);
        return y + std::max(used.height(), size * line_gap);
    }
    double line(const QString& s, double y, int size = body, bool bold = false) {
        return text(s, 0, y, area_.width(), size, bold);
    }

    double heading(double y) {
        text(qtext(text::date_label) + qtext(r_.date), 0, y + 6, area_.width(), 9, false,
             Qt::AlignRight);
        y = line(qtext(text::report_title), y, 20, true) + 4;
        y = line(plan_line(r_), y);
        y = line(container_line(r_), y);
        return line(size_line(r_), y) + 6;
    }

    void summary() {
        double y = heading(0);
        if (loads_.size() == 1) {
            y = figures_block(loads_.front(), y);
        } else {
            y = types_table(order_cartons(), y);
            y = containers_table(y) + 6;
        }
        if (r_.order_containers > 0) y = line(order_line(r_), y);
        for (const std::string& note : r_.notes) y = line(qtext(note), y);
        const double notes_top = area_.height() - footer_room - notes_height();
        if (loads_.size() == 1) picture(loads_.front(), y + 4, notes_top - 6);
        reading_notes(notes_top);
    }

    void load_page(const load_data& d) {
        double y = line(qtext(d.load->heading), 0, 16, true) + 4;
        y = figures_block(d, y);
        picture(d, y + 4, area_.height() - footer_room);
    }

    // A pallet type: its lines, then each layer seen from above, the deck's
    // length across the page.
    void pallet_page(const report_pallet& pallet) {
        double y = line(qtext(pallet.title), 0, 16, true) + 4;
        for (const std::string& s : pallet.lines) y = line(qtext(s), y);
        y += 8;
        const double gap = 16;
        const std::size_t n = std::max<std::size_t>(pallet.layers.size(), 1);
        const double room = (area_.height() - footer_room - y) / static_cast<double>(n) - gap;
        const double scale = std::min(area_.width() * 0.8 / pallet.deck[0], room / pallet.deck[1]);
        if (!(scale > 0)) return;
        for (std::size_t k = 0; k < pallet.layers.size(); ++k) {
            y = line(pallet_layer_title(k), y, 11, true) + 2;
            const QRectF deck(0, y, pallet.deck[0] * scale, pallet.deck[1] * scale);
            p_.fillRect(deck, QColor(215, 190, 150));
            p_.setPen(QPen(Qt::black, 0.8));
            for (const auto& c : pallet.layers[k]) {
                const QRectF box(deck.left() + c[0] * scale, deck.top() + c[1] * scale,
                                 c[2] * scale, c[3] * scale);
                p_.fillRect(box, QColor(235, 235, 235));
                p_.drawRect(box);
                // A mark along each carton's long side shows which way it faces.
                const QPointF centre = box.center();
                const bool along = c[2] >= c[3];
                const double half = (along ? box.width() : box.height()) * 0.3;
                p_.drawLine(
                    along ? QLineF(centre.x() - half, centre.y(), centre.x() + half, centre.y())
                          : QLineF(centre.x(), centre.y() - half, centre.x(), centre.y() + half));
            }
            y = deck.bottom() + gap;
        }
    }

    double figures_block(const load_data& d, double y) {
        std::vector<std::int64_t> cartons;
        for (const cargo_figures& t : d.load->figures.per_type) cartons.push_back(t.cartons);
        y = types_table(cartons, y) + 4;
        for (const QString& s : figure_lines(r_, *d.load, d.order)) y = line(s, y);
        return y;
    }

    void picture(const load_data& d, double top, double bottom) {
        const double y = line(qtext(text::whole_load), top, 11, true);
        const double height = std::min(bottom - y, area_.width() * 0.72);
        if (height < 60) return;
        draw_whole_load(p_, QRectF(0, y, area_.width(), height), d.scene);
    }

    // Per type: colour, name, size, cartons, weight of one and of all.
    double types_table(const std::vector<std::int64_t>& cartons, double y) {
        const std::vector<double> widths = column_widths({0.07, 0.33, 0.24, 0.1, 0.12, 0.14});
        y = table_row(
            header_cells({text::column_colour, text::column_carton, text::column_size,
                          text::column_count, text::column_carton_weight, text::column_weight}),
            widths, y, true);
        for (std::size_t t = 0; t < r_.types.size(); ++t) {
            if (t < cartons.size() && cartons[t] == 0 && r_.types.size() > 1) continue;
            const std::int64_t n = t < cartons.size() ? cartons[t] : 0;
            const double top = y;
            y = table_row(type_cells(r_.types[t], n), widths, y, false);
            const double side = std::min(y - top - 4, 9.0);
            draw_swatch(p_, QRectF(3, top + (y - top - side) / 2, side * 1.6, side),
                        r_.types[t].colour);
        }
        return y;
    }

    // A mixed order: each container's cartons, utilisation, weight, centre.
    double containers_table(double y) {
        const std::vector<double> widths = column_widths({0.3, 0.14, 0.14, 0.18, 0.24});
        y = table_row(
            header_cells({text::column_container, text::column_count, text::column_utilisation,
                          text::column_weight, text::column_centre}),
            widths, y, true);
        for (const load_data& d : loads_) y = table_row(load_cells(*d.load), widths, y, false);
        return y;
    }

    std::vector<std::int64_t> order_cartons() const {
        std::vector<std::int64_t> total(r_.types.size(), 0);
        for (const load_data& d : loads_) {
            for (std::size_t t = 0; t < total.size(); ++t)
                total[t] += d.load->figures.per_type[t].cartons * d.load->repeat;
        }
        return total;
    }

    std::vector<double> column_widths(std::initializer_list<double> shares) const {
        std::vector<double> w;
        for (double s : shares) w.push_back(s * area_.width());
        return w;
    }

    double table_row(const QStringList& cells, const std::vector<double>& widths, double y,
                     bool header) {
        const double height = 9 * line_gap + 4;
        if (header) p_.fillRect(QRectF(0, y, area_.width(), height), QColor(225, 225, 225));
        double x = 0;
        // A cell keeps to one line: a long name ends in "…" rather than
        // running into the next row.
        const QFontMetricsF metrics(page_font(9, header));
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const double w = widths[static_cast<std::size_t>(i)];
            text(metrics.elidedText(cells[i], Qt::ElideRight, w - 6), x + 3, y + 2, w - 6, 9,
                 header);
            x += w;
        }
        p_.setPen(QPen(QColor(150, 150, 150), 0.5));
        p_.drawLine(QLineF(0, y + height, area_.width(), y + height));
        return y + height;
    }

    void steps_page(const load_data& d, std::size_t first) {
        QString title = qtext(text::steps_heading);
        if (!d.load->heading.empty()) title += QStringLiteral("　") + qtext(d.load->heading);
        double y = line(title, 0, 12, true) + 2;
        const double row = (area_.height() - footer_room - y) / steps_per_page;
        for (std::size_t s = first; s < std::min(first + steps_per_page, d.order.steps.size());
             ++s) {
            p_.setPen(QPen(QColor(150, 150, 150), 0.5));
            p_.drawLine(QLineF(0, y, area_.width(), y));
            step(d, s, QRectF(0, y, area_.width(), row));
            y += row;
        }
    }

    void step(const load_data& d, std::size_t s, const QRectF& row) {
        const loading_step& st = d.order.steps[s];
        const double split = row.width() * 0.57;
        draw_step_load(p_, QRectF(row.left(), row.top() + 4, split - 8, row.height() - 8), d.scene,
                       solid_shown{s + 1, true, {}});
        const double x = row.left() + split, w = row.width() - split;
        double top = row.top() + 6;
        // The first step of each wall names the wall.
        if (s == 0 || d.order.steps[s - 1].wall != st.wall)
            top = text(wall_heading(st.wall, d.order.walls[st.wall]), x, top, w, 11, true) + 2;
        double y = text(step_title(s), x + 16, top, w - 16, 15, true);
        draw_swatch(p_, QRectF(x, top + 3, 11, 11), r_.types[st.type].colour);
        for (const QString& l : step_lines(r_, st, d.load->figures.cartons))
            y = text(l, x, y + 1, w, body);
        if (d.order.check.step == s) text(order_fault_line(d.order.check), x, y + 1, w, body, true);
    }

    double notes_height() const {
        return static_cast<double>(std::size(text::reading_notes)) * 9 * line_gap * 1.35 + 4;
    }

    void reading_notes(double y) {
        p_.setPen(QPen(QColor(150, 150, 150), 0.5));
        p_.drawLine(QLineF(0, y, area_.width(), y));
        y += 4;
        for (const char* note : text::reading_notes) y = line(qtext(note), y, 9);
    }

    void footer(int number, int count) {
        const double y = area_.height() - 12;
        p_.setPen(QPen(QColor(150, 150, 150), 0.5));
        p_.drawLine(QLineF(0, y - 4, area_.width(), y - 4));
        const int size = 8;
        text(QStringLiteral("Varnel " VARNEL_VERSION), 0, y, area_.width(), size);
        text(qtext(text::report_title), 0, y, area_.width(), size, false, Qt::AlignHCenter);
        text(page_text(number, count), 0, y, area_.width(), size, false, Qt::AlignRight);
    }

    QPainter& p_;
    QSizeF area_;
    const loading_report& r_;
    std::vector<load_data> loads_;
};

}  // namespace

bool paint_report(QPagedPaintDevice& device, const loading_report& report, int copies) {
    // The planner has no window to set the program's look; mapping again is harmless.
    map_program_fonts();
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // Everything is laid out in points, whatever the device's resolution.
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF area = device.pageLayout().paintRectPoints().size();
    report_painter pages(painter, area, report);
    const std::vector<page> all = pages.pages();
    const int count = static_cast<int>(all.size());
    for (int page = 0; page < copies * count; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        pages.paint(all[static_cast<std::size_t>(page % count)], page % count + 1, count);
    }
    return painter.end();
}

std::optional<QByteArray> report_pdf(const loading_report& report, paper_size paper) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(qtext(text::report_title));
        writer.setCreator(QStringLiteral("Varnel " VARNEL_VERSION));
        writer.setPageLayout(
            QPageLayout(QPageSize(paper == paper_size::letter ? QPageSize::Letter : QPageSize::A4),
                        QPageLayout::Portrait, QMarginsF(40, 36, 40, 30), QPageLayout::Point));
        if (!paint_report(writer, report)) return std::nullopt;
    }
    return bytes;
}

}  // namespace varnel
