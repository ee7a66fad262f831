#include "plan/spreadsheet_list.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>

#include <algorithm>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/numbers.h"
#include "plan/messages.h"
#include "plan/xlsx_package.h"

namespace varnel {

namespace {

namespace ss = orcus::spreadsheet;

// A packing list has eight columns; cells far to the right are notes, and
// keeping them would let a file that names column XFD spend memory on
// empty cells in every row.
constexpr ss::col_t columns_read = 64;

using sheet_cells = std::map<ss::row_t, std::map<ss::col_t, std::string>>;

// The strings of a sheet. An .xlsx file's come from its mending, which
// reads them as written (liborcus gives an empty one the text before it);
// each string liborcus commits then only keeps the count. The .ods reader
// commits each cell's text before the cell itself, and then drops a cell of
// a kind it does not read (a logical TRUE or FALSE): its text stays unused.
// A 可堆码 of FALSE read as blank would let cartons be stacked on it, so such
// a cell refuses the file.
class shared_strings final : public ss::iface::import_shared_strings {
public:
    shared_strings(bool text_before_cell, const xlsx_package* mended)
        : text_before_cell_(text_before_cell), mended_(mended) {}

    const std::string& at(std::size_t i) const {
        static const std::string none;
        const std::vector<std::string>& all = mended_ ? mended_->strings : strings_;
        return i < all.size() ? all[i] : none;
    }
    // A string the cells name by its place: never merged with an equal one.
    std::size_t append(std::string_view s) override {
        strings_.emplace_back(s);
        return strings_.size() - 1;
    }
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { run_ += s; }
    std::size_t commit_segments() override {
        if (text_before_cell_ && unused_) dropped_ = true;
        unused_ = !run_.empty();
        strings_.push_back(std::move(run_));
        run_.clear();
        return strings_.size() - 1;
    }
    // A cell was set: the text committed for it is used.
    void cell_set() { unused_ = false; }
    // True when a cell was passed over unread.
    bool dropped() const { return text_before_cell_ && (dropped_ || unused_); }

private:
    bool text_before_cell_;
    const xlsx_package* mended_;
    std::vector<std::string> strings_;
    std::string run_;
    bool unused_ = false;
    bool dropped_ = false;
};

void put(sheet_cells& cells, ss::row_t row, ss::col_t col, std::string text) {
    if (row < 0 || col < 0 || col >= columns_read) return;
    cells[row][col] = std::move(text);
}

std::string number_text(double value) { return format_exact(value); }

// A formula's cell holds what the spreadsheet last computed for it.
class formula_results final : public ss::iface::import_formula {
public:
    explicit formula_results(sheet_cells& cells) : cells_(cells) {}
    void set_position(ss::row_t row, ss::col_t col) override {
        row_ = row;
        col_ = col;
        result_.reset();
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override { result_ = std::string(value); }
    void set_result_value(double value) override { result_ = number_text(value); }
    void set_result_bool(bool value) override { result_ = value ? "1" : "0"; }
    void set_result_empty() override { result_.reset(); }
    void commit() override {
        if (result_) put(cells_, row_, col_, std::move(*result_));
    }

private:
    sheet_cells& cells_;
    ss::row_t row_ = 0;
    ss::col_t col_ = 0;
    std::optional<std::string> result_;
};

class sheet final : public ss::iface::import_sheet {
public:
    sheet(shared_strings& strings, bool first) : strings_(strings), first_(first) {}
    const sheet_cells& cells() const { return cells_; }

    ss::iface::import_formula* get_formula() override { return first_ ? &formulas_ : nullptr; }
    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        strings_.cell_set();
        keep(row, col, std::string(s));
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t index) override {
        strings_.cell_set();
        keep(row, col, strings_.at(index));
    }
    void set_value(ss::row_t row, ss::col_t col, double value) override {
        strings_.cell_set();
        keep(row, col, number_text(value));
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override {
        strings_.cell_set();
        keep(row, col, value ? "1" : "0");
    }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int, int,
                       double) override {
        strings_.cell_set();
        keep(row, col,
             std::to_string(year) + '-' + std::to_string(month) + '-' + std::to_string(day));
    }
    void set_format(ss::row_t, ss::col_t, std::size_t) override {}
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override {}
    void fill_down_cells(ss::row_t, ss::col_t, ss::row_t) override {}
    ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

private:
    void keep(ss::row_t row, ss::col_t col, std::string text) {
        if (first_) put(cells_, row, col, std::move(text));
    }

    shared_strings& strings_;
    bool first_;
    sheet_cells cells_;
    formula_results formulas_{cells_};
};

// Where a cell stands in an .xlsx sheet: "B3" is row 2, column 1 (from 0);
// "$B$3" the same. Whatever else is refused, which refuses the file.
class a1_references final : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view a) override {
        std::size_t i = 0;
        const auto skip_dollar = [&] {
            if (i < a.size() && a[i] == '$') ++i;
        };
        skip_dollar();
        long column = 0, row = 0;
        const std::size_t letters = i;
        for (; i < a.size() && a[i] >= 'A' && a[i] <= 'Z' && i - letters < 3; ++i) {
            column = column * 26 + (a[i] - 'A' + 1);
        }
        skip_dollar();
        const std::size_t digits = i;
        for (; i < a.size() && a[i] >= '0' && a[i] <= '9' && i - digits < 7; ++i) {
            row = row * 10 + (a[i] - '0');
        }
        if (column == 0 || row == 0 || i != a.size()) {
            throw std::invalid_argument("not a cell address");
        }
        return {0, static_cast<ss::row_t>(row - 1), static_cast<ss::col_t>(column - 1)};
    }
    ss::src_range_t resolve_range(std::string_view range) override {
        const std::size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t one = resolve_address(range);
            return {one, one};
        }
        return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }
};

// Collects the first sheet; later sheets are read and dropped.
class first_sheet final : public ss::iface::import_factory {
public:
    first_sheet(spreadsheet_kind kind, const xlsx_package* mended)
        : strings_(kind == spreadsheet_kind::ods, mended) {}
    const sheet_cells& cells() const {
        static const sheet_cells none;
        return sheets_.empty() ? none : sheets_.front()->cells();
    }
    bool read_any_sheet() const { return !sheets_.empty(); }
    bool dropped_a_cell() const { return strings_.dropped(); }
    ss::iface::import_shared_strings* get_shared_strings() override { return &strings_; }
    ss::iface::import_reference_resolver* get_reference_resolver(
        ss::formula_ref_context_t) override {
        return &references_;
    }
    ss::iface::import_sheet* append_sheet(ss::sheet_t, std::string_view name) override {
        sheets_.push_back(std::make_unique<sheet>(strings_, sheets_.empty()));
        names_.emplace_back(name);
        return sheets_.back().get();
    }
    ss::iface::import_sheet* get_sheet(std::string_view name) override {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i] == name) return sheets_[i].get();
        }
        return nullptr;
    }
    ss::iface::import_sheet* get_sheet(ss::sheet_t index) override {
        return index >= 0 && static_cast<std::size_t>(index) < sheets_.size()
                   ? sheets_[static_cast<std::size_t>(index)].get()
                   : nullptr;
    }
    void finalize() override {}

private:
    shared_strings strings_;
    a1_references references_;
    std::vector<std::unique_ptr<sheet>> sheets_;
    std::vector<std::string> names_;
};

}  // namespace

std::variant<text_table, list_refusal> read_spreadsheet_rows(std::string_view bytes,
                                                             spreadsheet_kind kind) {
    // What liborcus cannot read of an .xlsx file is mended first; a file
    // that is no zip archive goes to it as it is, to be refused.
    const std::optional<xlsx_package> mended =
        kind == spreadsheet_kind::xlsx ? mend_xlsx_package(bytes) : std::nullopt;
    first_sheet factory(kind, mended ? &*mended : nullptr);
    // The library throws on a file it cannot read (not a zip archive, a part
    // missing, XML broken); the user hears that the file is not a list.
    try {
        if (kind == spreadsheet_kind::xlsx) {
            orcus::orcus_xlsx reader(&factory);
            reader.read_stream(mended ? std::string_view(mended->bytes) : bytes);
        } else {
            orcus::orcus_ods reader(&factory);
            reader.read_stream(bytes);
        }
    } catch (const std::exception&) {
        return list_refusal{text::list_not_spreadsheet, 0, std::nullopt, std::nullopt};
    }
    // Bytes of the other kind read as nothing at all.
    if (!factory.read_any_sheet()) {
        return list_refusal{text::list_not_spreadsheet, 0, std::nullopt, std::nullopt};
    }
    if (factory.dropped_a_cell()) {
        return list_refusal{text::list_cell_unread, 0, std::nullopt, std::nullopt};
    }
    text_table table;
    for (const auto& [row, cells] : factory.cells()) {
        text_row r;
        r.line = static_cast<std::size_t>(row) + 1;
        r.cells.resize(static_cast<std::size_t>(cells.rbegin()->first) + 1);
        for (const auto& [col, text] : cells) r.cells[static_cast<std::size_t>(col)] = text;
        table.push_back(std::move(r));
    }
    return table;
}

std::variant<packing_list, list_refusal> read_packing_list_spreadsheet(std::string_view bytes,
                                                                       spreadsheet_kind kind,
                                                                       same_cartons merge) {
    auto rows = read_spreadsheet_rows(bytes, kind);
    if (auto* refusal = std::get_if<list_refusal>(&rows)) return std::move(*refusal);
    return read_packing_list(std::get<text_table>(rows), merge);
}

namespace {

bool ends_with_suffix(std::string_view name, std::string_view suffix) {
    return name.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) {
                          return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
                      });
}

}  // namespace

std::variant<packing_list, list_refusal> read_packing_list_file(std::string_view file_name,
                                                                std::string_view bytes,
                                                                same_cartons merge) {
    if (ends_with_suffix(file_name, ".xlsx"))
        return read_packing_list_spreadsheet(bytes, spreadsheet_kind::xlsx, merge);
    if (ends_with_suffix(file_name, ".ods"))
        return read_packing_list_spreadsheet(bytes, spreadsheet_kind::ods, merge);
    return read_packing_list_csv(bytes, merge);
}

}  // namespace varnel
