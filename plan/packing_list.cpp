#include "plan/packing_list.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "engine/calculation.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "plan/messages.h"
#include "plan/utf8.h"

namespace varnel {

namespace {

constexpr std::string_view bom = "\xEF\xBB\xBF";
constexpr std::string_view ideographic_space = "\xE3\x80\x80";

struct field_names {
    list_field field;
    const char* chinese;
    std::string_view english;
};

// clang-format off
constexpr std::array<field_names, list_field_count> fields{{
    {list_field::name,      text::list_name_header,      "name"},
    {list_field::length,    text::list_length_header,    "length"},
    {list_field::width,     text::list_width_header,     "width"},
    {list_field::height,    text::list_height_header,    "height"},
    {list_field::quantity,  text::list_quantity_header,  "quantity"},
    {list_field::weight,    text::list_weight_header,    "weight"},
    {list_field::vertical,  text::list_vertical_header,  "vertical"},
    {list_field::stackable, text::list_stackable_header, "stackable"},
    {list_field::max_load,   text::list_max_load_header,   "max_load"},
    {list_field::max_layers, text::list_max_layers_header, "max_layers"},
    {list_field::pallet,     text::list_pallet_header,     "pallet"},
}};
// clang-format on

constexpr std::array<list_field, 4> required{list_field::length, list_field::width,
                                             list_field::height, list_field::quantity};
constexpr std::array<list_field, 3> size_fields{list_field::length, list_field::width,
                                                list_field::height};

constexpr std::size_t index_of(list_field f) { return static_cast<std::size_t>(f); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_word(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

list_refusal refusal(std::size_t line, std::optional<std::size_t> column,
                     std::optional<list_field> field, std::string_view reason) {
    std::string m =
        std::string(text::list_line_prefix) + std::to_string(line) + text::list_line_suffix;
    if (column)
        m += text::list_column_prefix + std::to_string(*column + 1) + text::list_column_suffix;
    if (column && field)
        m += text::list_field_open + std::string(field_header(*field)) + text::list_field_close;
    m += text::list_reason_separator;
    m += reason;
    return {std::move(m), line, column, field};
}

bool blank_row(const text_row& row) {
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& c) { return is_blank(c); });
}

// --- the header ------------------------------------------------------------

std::optional<list_field> field_named(std::string_view header) {
    const std::string_view h = trim_blanks(header);
    for (const field_names& f : fields) {
        if (h == f.chinese || same_word(h, f.english)) return f.field;
    }
    return std::nullopt;
}

std::variant<packing_list, list_refusal> read_header(const text_row& row) {
    packing_list list;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        const std::optional<list_field> f = field_named(row.cells[c]);
        if (!f) continue;
        auto& column = list.columns[index_of(*f)];
        if (column) {
            return refusal(row.line, c, f,
                           text::list_column_repeated_prefix + std::to_string(*column + 1) +
                               text::list_column_repeated_suffix);
        }
        column = c;
    }
    for (list_field f : required) {
        if (!list.columns[index_of(f)]) {
            return refusal(row.line, std::nullopt, f,
                           text::list_column_missing_prefix + std::string(field_header(f)) +
                               text::list_column_missing_suffix);
        }
    }
    return list;
}

// --- one row ---------------------------------------------------------------

// The sides named by letters of 长宽高 or LWH, in any order, blanks and 、
// between them; none when another character stands there.
std::optional<unsigned> side_letters_read(std::string_view cell) {
    struct side_letter {
        std::string_view letter;
        unsigned bit;
    };
    static constexpr side_letter letters[] = {
        {"L", 1},
        {"l", 1},
        {"W", 2},
        {"w", 2},
        {"H", 4},
        {"h", 4},
        {"\xE9\x95\xBF", 1},
        {"\xE5\xAE\xBD", 2},
        {"\xE9\xAB\x98", 4},  // 长 宽 高
        {" ", 0},
        {"\t", 0},
        {ideographic_space, 0},
        {"\xE3\x80\x81", 0},  // blanks and 、
    };
    unsigned sides = 0;
    while (!cell.empty()) {
        const auto* found =
            std::find_if(std::begin(letters), std::end(letters),
                         [&](const side_letter& s) { return cell.starts_with(s.letter); });
        if (found == std::end(letters)) return std::nullopt;
        sides |= found->bit;
        cell.remove_prefix(found->letter.size());
    }
    return sides;
}

// A 可竖放 cell: the sides' letters (none: any) or a name the list window
// shows for them.
std::optional<unsigned> vertical_sides(std::string_view cell) {
    const std::string_view v = trim_blanks(cell);
    for (const named_stance& s : named_stances) {
        if (v == s.name) return s.sides;
    }
    const std::string_view prefix = text::vertical_only_prefix, suffix = text::vertical_only_suffix;
    if (v.size() > prefix.size() + suffix.size() && v.starts_with(prefix) && v.ends_with(suffix)) {
        const auto sides =
            side_letters_read(v.substr(prefix.size(), v.size() - prefix.size() - suffix.size()));
        if (!sides || *sides == 0) return std::nullopt;
        return sides;
    }
    const std::optional<unsigned> sides = side_letters_read(cell);
    if (!sides) return std::nullopt;
    return *sides == 0 ? 0b111u : *sides;
}

std::optional<bool> stackable_value(std::string_view cell) {
    const std::string_view v = trim_blanks(cell);
    if (v.empty() || v == "1" || v == text::list_yes || same_word(v, "yes")) return true;
    if (v == "0" || v == text::list_no || same_word(v, "no")) return false;
    return std::nullopt;
}

class row_reader {
public:
    row_reader(const packing_list& list, const text_row& row) : list_(list), row_(row) {}

    // The type on this row, the `number`th of the list; or the first fault.
    std::variant<carton_type, list_refusal> read(std::size_t number) const {
        carton_type t;
        const std::string_view name = trim_blanks(cell(list_field::name));
        if (!has_no_controls(name)) return fault(list_field::name, text::list_name_wrong);
        t.name =
            name.empty() ? text::list_default_name + std::to_string(number) : std::string(name);
        for (std::size_t k = 0; k < size_fields.size(); ++k) {
            const std::optional<float> mm = read_size_cm(cell(size_fields[k]));
            if (!mm || !(*mm > 0.0f)) return fault(size_fields[k], text::list_size_wrong);
            t.size[k] = *mm;
        }
        const std::optional<std::int64_t> quantity = parse_count(cell(list_field::quantity));
        if (!quantity || *quantity < 1 || *quantity > max_list_quantity)
            return fault(list_field::quantity, text::list_quantity_wrong);
        t.quantity = *quantity;
        if (!is_blank(cell(list_field::weight))) {
            const std::optional<float> kg = parse_number(cell(list_field::weight));
            if (!kg || !(*kg > 0.0f)) return fault(list_field::weight, text::list_weight_wrong);
            if (*kg > max_list_weight)
                return fault(list_field::weight, text::list_weight_too_large);
            t.weight = *kg;
        }
        const std::optional<unsigned> sides = vertical_sides(cell(list_field::vertical));
        if (!sides) return fault(list_field::vertical, text::list_vertical_wrong);
        t.allowed = orientation_set::with_vertical_sides(*sides);
        const std::optional<bool> stackable = stackable_value(cell(list_field::stackable));
        if (!stackable) return fault(list_field::stackable, text::list_stackable_wrong);
        t.stackable = *stackable;
        if (!is_blank(cell(list_field::max_load))) {
            const std::optional<float> kg = parse_number(cell(list_field::max_load));
            if (!kg || !(*kg >= 0.0f))
                return fault(list_field::max_load, text::list_max_load_wrong);
            t.max_load = *kg;
        }
        if (!is_blank(cell(list_field::max_layers))) {
            const std::optional<std::int64_t> layers = parse_count(cell(list_field::max_layers));
            if (!layers || *layers < 1 || *layers > max_list_quantity)
                return fault(list_field::max_layers, text::list_max_layers_wrong);
            t.max_layers = *layers;
        }
        return t;
    }

    // The row's pallet type: empty for loose cartons; none when it cannot
    // be a name.
    std::optional<std::string> pallet() const {
        const std::string_view name = trim_blanks(cell(list_field::pallet));
        if (!has_no_controls(name)) return std::nullopt;
        return std::string(name);
    }

    list_refusal pallet_fault() const { return fault(list_field::pallet, text::list_pallet_wrong); }

    // Whether the row names its type (a blank name takes the type's number).
    bool named() const { return !trim_blanks(cell(list_field::name)).empty(); }

private:
    std::string_view cell(list_field f) const {
        const std::optional<std::size_t> c = list_.columns[index_of(f)];
        return c && *c < row_.cells.size() ? std::string_view(row_.cells[*c]) : std::string_view();
    }

    list_refusal fault(list_field f, const char* reason) const {
        return refusal(row_.line, list_.columns[index_of(f)], f, reason);
    }

    const packing_list& list_;
    const text_row& row_;
};

// Reads the rows after the header into the list, one at a time; with
// `merge`, a row of a carton read before (size, sides, stackable and weight
// alike) adds its quantity and name to that type while the sum stays within
// the limit of one type.
class list_builder {
public:
    list_builder(packing_list list, same_cartons merge) : list_(std::move(list)), merge_(merge) {}

    std::optional<list_refusal> add(const text_row& row) {
        if (blank_row(row)) return std::nullopt;
        const row_reader reader(list_, row);
        auto read = reader.read(list_.cartons.size() + 1);
        if (auto* r = std::get_if<list_refusal>(&read)) return std::move(*r);
        carton_type& t = std::get<carton_type>(read);
        std::optional<std::string> pallet = reader.pallet();
        if (!pallet) return reader.pallet_fault();
        if (merge_ == same_cartons::merged) {
            const carton_key key{key_of(t), *pallet};
            const auto found = open_.find(key);
            if (found != open_.end() &&
                list_.cartons[found->second].quantity <= max_list_quantity - t.quantity) {
                join(found->second, t, reader.named());
                return std::nullopt;
            }
            open_[key] = list_.cartons.size();
        }
        if (list_.cartons.size() >= max_list_types)
            return refusal(row.line, std::nullopt, std::nullopt, text::list_too_many_types);
        names_.push_back({});
        if (reader.named()) names_.back().insert(t.name);
        list_.cartons.push_back(std::move(t));
        list_.lines.push_back(row.line);
        list_.pallets.push_back(std::move(*pallet));
        return std::nullopt;
    }

    std::variant<packing_list, list_refusal> finish(std::size_t header_line) {
        if (list_.cartons.empty())
            return refusal(header_line + 1, std::nullopt, std::nullopt, text::list_empty);
        return std::move(list_);
    }

private:
    using same_carton = std::tuple<std::array<double, 3>, unsigned, bool, std::optional<double>,
                                   std::optional<double>, std::optional<std::int64_t>>;
    // A carton is the same when it goes on the same pallet type, too.
    using carton_key = std::pair<same_carton, std::string>;

    static same_carton key_of(const carton_type& t) {
        return {t.size,      t.allowed.vertical_sides(), t.stackable, t.weight, t.max_load,
                t.max_layers};
    }

    // The names of a type's rows, each once, in their order; rows without
    // a name add none, and a type of such rows alone keeps its number's.
    void join(std::size_t i, const carton_type& t, bool named) {
        carton_type& into = list_.cartons[i];
        into.quantity += t.quantity;
        if (!named || !names_[i].insert(t.name).second) return;
        if (names_[i].size() == 1) {
            into.name = t.name;
        } else {
            into.name += text::list_name_separator;
            into.name += t.name;
        }
    }

    packing_list list_;
    same_cartons merge_;
    std::map<carton_key, std::size_t> open_;  // the type a row of each carton joins
    std::vector<std::set<std::string>> names_;
};

// --- what the container tells ----------------------------------------------

// The size column that keeps a carton out of the container in every
// orientation: with both sides sorted longest first, the first carton side
// longer than the container's side of the same rank.
list_field side_too_long(const std::array<double, 3>& carton, std::array<double, 3> container) {
    std::array<std::size_t, 3> order{0, 1, 2};
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return carton[a] > carton[b]; });
    std::sort(container.begin(), container.end(), std::greater<>());
    for (std::size_t k = 0; k < 3; ++k) {
        if (carton[order[k]] > container[k]) return size_fields[order[k]];
    }
    return size_fields[order[0]];
}

bool fits(const std::array<double, 3>& carton, const std::array<double, 3>& container,
          orientation_set allowed) {
    for (int o = 1; o <= 6; ++o) {
        if (!allowed.allows(o)) continue;
        const std::array<double, 3> e = rotated(carton, o);
        if (e[0] <= container[0] && e[1] <= container[1] && e[2] <= container[2]) return true;
    }
    return false;
}

std::optional<list_refusal> check_type(const packing_list& list, std::size_t i,
                                       const container_space& container) {
    const carton_type& t = list.cartons[i];
    const std::size_t line = list.lines[i];
    const auto fault = [&](list_field f, std::string_view reason) {
        return refusal(line, list.columns[index_of(f)], f, reason);
    };
    if (!fits(t.size, container.size, t.allowed)) {
        const bool turned = fits(t.size, container.size, orientation_set::any());
        return fault(turned ? list_field::vertical : side_too_long(t.size, container.size),
                     text::list_carton_does_not_fit);
    }
    const std::size_t smallest =
        static_cast<std::size_t>(std::min_element(t.size.begin(), t.size.end()) - t.size.begin());
    const double longest = *std::max_element(container.size.begin(), container.size.end());
    if (longest / t.size[smallest] > max_count_quotient)
        return fault(size_fields[smallest], text::list_carton_too_small);
    if (t.weight && container.payload && *t.weight > *container.payload)
        return fault(list_field::weight, text::carton_over_payload);
    return std::nullopt;
}

// --- CSV --------------------------------------------------------------------

// The rows of CSV bytes, one at a time (see split_csv).
class csv_rows {
public:
    explicit csv_rows(std::string_view bytes) : bytes_(bytes) {
        if (bytes_.starts_with(bom)) bytes_.remove_prefix(bom.size());
    }

    // The next row; none after the last.
    std::variant<std::optional<text_row>, list_refusal> next() {
        if (i_ >= bytes_.size()) return std::optional<text_row>();
        text_row row{line_, {}};
        while (true) {
            std::string cell;
            if (i_ < bytes_.size() && bytes_[i_] == '"') {
                if (auto r = quoted(row, cell)) return std::move(*r);
            } else {
                while (!at_end_of_cell()) cell += bytes_[i_++];
            }
            row.cells.push_back(std::move(cell));
            if (i_ < bytes_.size() && bytes_[i_] == ',') {
                ++i_;
                continue;
            }
            break;
        }
        if (i_ < bytes_.size()) {
            i_ += bytes_[i_] == '\r' && i_ + 1 < bytes_.size() && bytes_[i_ + 1] == '\n' ? 2u : 1u;
            ++line_;
        }
        return std::optional<text_row>(std::move(row));
    }

private:
    bool at_end_of_cell() const {
        return i_ >= bytes_.size() || bytes_[i_] == ',' || bytes_[i_] == '\r' || bytes_[i_] == '\n';
    }

    std::optional<list_refusal> quoted(const text_row& row, std::string& cell) {
        const std::size_t opened = line_;
        for (++i_;; ++i_) {
            if (i_ >= bytes_.size())
                return refusal(opened, row.cells.size(), std::nullopt, text::list_open_quote);
            const char c = bytes_[i_];
            if (c == '"') {
                if (i_ + 1 < bytes_.size() && bytes_[i_ + 1] == '"') {
                    cell += '"';
                    ++i_;
                    continue;
                }
                ++i_;
                break;
            }
            // A line break inside quotes belongs to the cell but still counts as a line.
            if (c == '\n' || (c == '\r' && (i_ + 1 >= bytes_.size() || bytes_[i_ + 1] != '\n')))
                ++line_;
            cell += c;
        }
        if (!at_end_of_cell())
            return refusal(line_, row.cells.size(), std::nullopt, text::list_text_after_quote);
        return std::nullopt;
    }

    std::string_view bytes_;
    std::size_t i_ = 0;
    std::size_t line_ = 1;
};

// The first cell of a row that is not UTF-8.
std::optional<list_refusal> utf8_fault(const text_row& row) {
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (!is_utf8(row.cells[c])) return refusal(row.line, c, std::nullopt, text::list_not_utf8);
    }
    return std::nullopt;
}

// --- writing ---------------------------------------------------------------

void csv_cell(std::string& out, std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string_view field_header(list_field field) { return fields[index_of(field)].chinese; }

const std::array<named_stance, 3> named_stances{{
    {0b111u, text::vertical_any},
    {0b100u, text::vertical_this_side_up},
    {0b110u, text::vertical_length_flat},
}};

std::string vertical_letters(unsigned sides) {
    if ((sides & 0b111u) == 0b111u) return {};
    std::string letters;
    for (std::size_t side = 0; side < 3; ++side) {
        if (((sides >> side) & 1u) != 0) letters += fields[index_of(size_fields[side])].chinese;
    }
    return letters;
}

std::string vertical_name(unsigned sides) {
    for (const named_stance& s : named_stances) {
        if (s.sides == (sides & 0b111u)) return s.name;
    }
    return text::vertical_only_prefix + vertical_letters(sides) + text::vertical_only_suffix;
}

std::variant<text_table, list_refusal> split_csv(std::string_view bytes) {
    csv_rows rows(bytes);
    text_table table;
    while (true) {
        auto row = rows.next();
        if (auto* r = std::get_if<list_refusal>(&row)) return std::move(*r);
        auto& got = std::get<std::optional<text_row>>(row);
        if (!got) return table;
        table.push_back(std::move(*got));
    }
}

std::variant<packing_list, list_refusal> read_packing_list(const text_table& table,
                                                           same_cartons merge) {
    for (const text_row& row : table) {
        if (auto r = utf8_fault(row)) return std::move(*r);
    }
    const auto header = std::find_if_not(table.begin(), table.end(), blank_row);
    if (header == table.end()) {
        return refusal(table.empty() ? 1 : table.front().line, std::nullopt, std::nullopt,
                       text::list_empty);
    }
    auto read = read_header(*header);
    auto* list = std::get_if<packing_list>(&read);
    if (list == nullptr) return read;
    list_builder builder(std::move(*list), merge);
    for (auto row = header + 1; row != table.end(); ++row) {
        if (auto r = builder.add(*row)) return std::move(*r);
    }
    return builder.finish(header->line);
}

std::variant<packing_list, list_refusal> read_packing_list_csv(std::string_view bytes,
                                                               same_cartons merge) {
    // Row by row, never the whole table at once: a file of the largest size
    // in rows of a few bytes would take far more memory as cells. A first
    // pass finds what the whole file refuses first (its quotes, then the
    // first cell that is not UTF-8), as the table's reading does.
    std::optional<list_refusal> not_utf8;
    for (csv_rows rows(bytes);;) {
        auto row = rows.next();
        if (auto* r = std::get_if<list_refusal>(&row)) return std::move(*r);
        auto& got = std::get<std::optional<text_row>>(row);
        if (!got) break;
        if (!not_utf8) not_utf8 = utf8_fault(*got);
    }
    if (not_utf8) return std::move(*not_utf8);
    csv_rows rows(bytes);
    std::optional<text_row> header;
    std::size_t first_line = 0;
    while (auto row = std::get<std::optional<text_row>>(rows.next())) {
        if (first_line == 0) first_line = row->line;
        if (blank_row(*row)) continue;
        header = std::move(row);
        break;
    }
    if (!header)
        return refusal(first_line == 0 ? 1 : first_line, std::nullopt, std::nullopt,
                       text::list_empty);
    auto read = read_header(*header);
    auto* list = std::get_if<packing_list>(&read);
    if (list == nullptr) return read;
    list_builder builder(std::move(*list), merge);
    while (auto row = std::get<std::optional<text_row>>(rows.next())) {
        if (auto r = builder.add(*row)) return std::move(*r);
    }
    return builder.finish(header->line);
}

std::optional<list_refusal> check_packing_list(const packing_list& list,
                                               const container_space& container) {
    for (std::size_t i = 0; i < list.cartons.size() && i < list.lines.size(); ++i) {
        if (auto r = check_type(list, i, container)) return r;
    }
    return std::nullopt;
}

list_refusal type_refusal(const packing_list& list, std::size_t type, list_field field,
                          std::string_view reason) {
    const std::size_t line = type < list.lines.size() ? list.lines[type] : 0;
    return refusal(line, list.columns[index_of(field)], field, reason);
}

bool palletised(const packing_list& list) {
    return std::any_of(list.pallets.begin(), list.pallets.end(),
                       [](const std::string& p) { return !p.empty(); });
}

std::string write_packing_list_csv(const std::vector<carton_type>& cartons,
                                   const std::vector<std::string>& pallets) {
    std::string out(bom);
    // The columns of what a carton bears only when some type has them, so
    // that a list without them is written as it always was.
    const bool bearing = std::any_of(cartons.begin(), cartons.end(), [](const carton_type& t) {
        return t.max_load.has_value() || t.max_layers.has_value();
    });
    const bool on_pallets = std::any_of(pallets.begin(), pallets.end(),
                                        [](const std::string& p) { return !p.empty(); });
    for (const field_names& f : fields) {
        if (!bearing && (f.field == list_field::max_load || f.field == list_field::max_layers))
            continue;
        if (!on_pallets && f.field == list_field::pallet) continue;
        if (f.field != list_field::name) out += ',';
        out += f.chinese;
    }
    out += "\r\n";
    for (const carton_type& t : cartons) {
        csv_cell(out, t.name);
        for (double side : t.size) out += ',' + size_text_cm(static_cast<float>(side));
        out += ',' + std::to_string(t.quantity) + ',';
        if (t.weight) out += format_number(static_cast<float>(*t.weight));
        out += ',' + vertical_letters(t.allowed.vertical_sides()) + ',';
        out += t.stackable ? text::list_yes : text::list_no;
        if (bearing) {
            out += ',';
            if (t.max_load) out += format_number(static_cast<float>(*t.max_load));
            out += ',';
            if (t.max_layers) out += std::to_string(*t.max_layers);
        }
        if (on_pallets) {
            out += ',';
            const auto k = static_cast<std::size_t>(&t - cartons.data());
            if (k < pallets.size()) csv_cell(out, pallets[k]);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace varnel
