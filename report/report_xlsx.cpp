#include "report/report_xlsx.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <span>
#include <string>
#include <vector>

#include "engine/numbers.h"
#include "engine/summary.h"
#include "report/messages.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

lxw_color_t colour_of(rgb c) {
    return (static_cast<lxw_color_t>(c.red) << 16) | (static_cast<lxw_color_t>(c.green) << 8) |
           c.blue;
}

// The load's heading when Excel takes it as a sheet's name (at most 31
// characters, none of []:*?/\, no other sheet's), else a numbered one.
std::string sheet_name(lxw_workbook* book, const report_load& load, std::size_t index) {
    const std::string name = load.heading.empty() ? text::sheet_name : load.heading;
    if (workbook_validate_sheet_name(book, name.c_str()) == LXW_NO_ERROR) return name;
    return std::string(text::sheet_name) + std::to_string(index + 1);
}

// A sheet headed by `captions` in a row that stays in view; none on failure.
lxw_worksheet* headed_sheet(lxw_workbook* book, const char* name,
                            std::span<const char* const> captions, lxw_format* header) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, name);
    if (sheet == nullptr) return nullptr;
    lxw_col_t col = 0;
    for (const char* caption : captions) worksheet_write_string(sheet, 0, col++, caption, header);
    worksheet_freeze_panes(sheet, 1, 0);
    return sheet;
}

bool write_sheet(lxw_workbook* book, const loading_report& r, const report_load& load,
                 const std::string& name, lxw_format* header,
                 const std::vector<lxw_format*>& type_formats) {
    lxw_worksheet* sheet = headed_sheet(book, name.c_str(), text::sheet_columns, header);
    if (sheet == nullptr) return false;
    worksheet_set_column(sheet, 1, 1, 24, nullptr);
    worksheet_set_column(sheet, 2, 5, 14, nullptr);
    worksheet_set_column(sheet, 6, 6, 36, nullptr);
    worksheet_set_column(sheet, 7, 11, 13, nullptr);
    lxw_row_t row = 1;
    for (const loading_step& s : loading_steps(load.blocks, r.types)) {
        const auto number = [&](lxw_col_t c, double v) {
            worksheet_write_number(sheet, row, c, v, nullptr);
        };
        number(0, static_cast<double>(row));
        worksheet_write_string(sheet, row, 1, type_name(r.types[s.type]).c_str(),
                               type_formats[s.type]);
        number(2, s.columns);
        number(3, s.rows);
        number(4, s.layers);
        number(5, static_cast<double>(s.cartons));
        worksheet_write_string(sheet, row, 6, stance_text(s.orientation).c_str(), nullptr);
        number(7, whole_cm(s.from_far_end));
        number(8, whole_cm(s.from_left));
        number(9, whole_cm(s.from_floor));
        number(10, static_cast<double>(s.running_total));
        number(11, static_cast<double>(s.wall + 1));
        ++row;
    }
    return true;
}

// A figure as the PDF prints it, as a number: whole units, one decimal below 10.
double measured(double value) { return parse_exact(measure_text(value)).value_or(value); }

// One row per container: its cartons and utilisation, and what its weights
// come to, where they are known (blank cells where not).
bool write_figures(lxw_workbook* book, const loading_report& r, lxw_format* header) {
    lxw_worksheet* sheet =
        headed_sheet(book, text::figures_sheet_name, text::figures_columns, header);
    if (sheet == nullptr) return false;
    worksheet_set_column(sheet, 0, 0, 28, nullptr);
    worksheet_set_column(sheet, 1, 7, 14, nullptr);
    worksheet_set_column(sheet, 8, 8, 34, nullptr);
    worksheet_set_column(sheet, 9, 10, 14, nullptr);
    lxw_row_t row = 1;
    const std::string container =
        r.container.name.empty() ? text::typed_container : r.container.name;
    for (const report_load& load : r.loads) {
        const auto number = [&](lxw_col_t c, double v) {
            worksheet_write_number(sheet, row, c, v, nullptr);
        };
        const container_summary& f = load.figures;
        const weight_figures& w = load.weights;
        const std::string& name = load.heading.empty() ? container : load.heading;
        worksheet_write_string(sheet, row, 0, name.c_str(), nullptr);
        number(1, static_cast<double>(f.cartons));
        // As the PDF prints it: 16.87, not 16.8700008392334.
        number(2, parse_exact(format_number(cut_percent(f.utilisation))).value_or(0.0));
        if (f.weight) number(3, measured(*f.weight));
        if (f.centre_of_gravity) {
            number(4, whole_cm((*f.centre_of_gravity)[1]));
            number(5, whole_cm((*f.centre_of_gravity)[0]));
        }
        if (w.balance) {
            number(6, whole_cm(w.balance->band[1]));
            number(7, whole_cm(w.balance->band[0]));
            worksheet_write_string(sheet, row, 8, balance_text(*w.balance).c_str(), nullptr);
        }
        if (w.most_carried) number(9, measured(*w.most_carried));
        if (w.carried_allowed) number(10, measured(*w.carried_allowed));
        ++row;
    }
    return true;
}

}  // namespace

std::optional<QByteArray> report_xlsx(const loading_report& r) {
    // The library writes only to a named file: one of our own, read back.
    QTemporaryDir folder;
    if (!folder.isValid()) return std::nullopt;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("steps.xlsx")));
    lxw_workbook* book = workbook_new(path.constData());
    if (book == nullptr) return std::nullopt;

    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    format_set_bg_color(header, 0xE1E1E1);
    std::vector<lxw_format*> type_formats;
    for (const report_carton& t : r.types) {
        lxw_format* f = workbook_add_format(book);
        format_set_bg_color(f, colour_of(lighter(type_colour(t.colour), 0.7)));
        type_formats.push_back(f);
    }
    bool written = true;
    for (std::size_t i = 0; i < r.loads.size(); ++i) {
        written = written && write_sheet(book, r, r.loads[i], sheet_name(book, r.loads[i], i),
                                         header, type_formats);
    }
    // After the steps, so a reader of the first sheet still finds them.
    written = written && write_figures(book, r, header);
    // Closing writes the file, and frees the book whatever happened before.
    if (workbook_close(book) != LXW_NO_ERROR || !written) return std::nullopt;
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

}  // namespace varnel
