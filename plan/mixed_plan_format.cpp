#include "plan/mixed_plan_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "engine/core/container.h"
#include "engine/numbers.h"
#include "plan/messages.h"
#include "plan/packing_list.h"
#include "plan/utf8.h"

namespace varnel {

namespace {

constexpr std::string_view magic = "varnel-mixed-plan";
constexpr std::string_view no_value = "-";

// --- writing ---------------------------------------------------------------

std::string optional_text(const std::optional<double>& value) {
    return value ? format_exact(*value) : std::string(no_value);
}

std::string side_letters(orientation_set allowed) {
    std::string letters;
    for (std::size_t side = 0; side < 3; ++side) {
        if (allowed.allows_vertical(side)) letters += "LWH"[side];
    }
    return letters;
}

void named_line(std::string& out, std::string_view fields, std::string_view name) {
    out += fields;
    if (!name.empty()) {
        out += ' ';
        out += name;
    }
    out += '\n';
}

std::string optional_index(const std::optional<std::size_t>& index) {
    return index ? std::to_string(*index) : std::string(no_value);
}

std::string yes_no(bool value) { return value ? "yes" : "no"; }

// A carton type's fields after its keyword: `bearing` adds what it bears.
std::string type_fields(const carton_type& t, bool bearing) {
    std::string out = format_exact(t.size[0]) + ' ' + format_exact(t.size[1]) + ' ' +
                      format_exact(t.size[2]) + ' ' + std::to_string(t.quantity) + ' ' +
                      optional_text(t.weight) + ' ' + side_letters(t.allowed) + ' ' +
                      yes_no(t.stackable);
    if (bearing) {
        out += ' ' + optional_text(t.max_load) + ' ' +
               (t.max_layers ? std::to_string(*t.max_layers) : std::string(no_value));
    }
    return out;
}

// The pallets of an order (version 4): each palletised type, its pallet,
// its cartons, its plan and its layer patterns.
void write_pallets(std::string& out, const std::vector<palletised_type>& pallets) {
    out += "pallets " + std::to_string(pallets.size()) + '\n';
    for (const palletised_type& p : pallets) {
        named_line(out,
                   "pallet " + std::to_string(p.line) + ' ' + optional_index(p.full_item) + ' ' +
                       optional_index(p.rest_item) + ' ' + std::to_string(p.full) + ' ' +
                       std::to_string(p.rest) + ' ' + yes_no(p.rest_loose),
                   p.pallet_name);
        const pallet_measures& m = p.pallet;
        out += "deck " + format_exact(m.length) + ' ' + format_exact(m.width) + ' ' +
               format_exact(m.height) + ' ' + format_exact(m.weight) + ' ' +
               format_exact(m.load_height) + ' ' + optional_text(m.load_weight) + '\n';
        named_line(out, "carton " + type_fields(p.carton, true), p.carton.name);
        const pallet_plan& s = p.plan;
        out += "stack " + std::to_string(s.cartons) + ' ' + std::to_string(s.per_layer) + ' ' +
               std::to_string(s.layers) + ' ' + std::to_string(s.top_layer) + ' ' +
               std::to_string(s.upper_bound) + ' ' + std::to_string(s.standing_side) + ' ' +
               yes_no(s.interlocked) + ' ' +
               (s.limit == pallet_limit::weight ? "weight" : "height") + ' ' +
               format_exact(s.size[0]) + ' ' + format_exact(s.size[1]) + ' ' +
               format_exact(s.size[2]) + ' ' + optional_text(s.weight) + '\n';
        out += "patterns " + std::to_string(s.layer_patterns.size()) + '\n';
        for (const layer_pattern& layer : s.layer_patterns) {
            out += "layer " + std::to_string(layer.size()) + '\n';
            for (const layer_carton& c : layer) {
                out += "at " + format_exact(c.x) + ' ' + format_exact(c.y) + ' ' +
                       format_exact(c.length) + ' ' + format_exact(c.width) + '\n';
            }
        }
    }
}

// --- reading ---------------------------------------------------------------

// A size or payload as the program reads one: above 0, within a float.
std::optional<double> positive(std::string_view s) {
    const std::optional<double> v = parse_exact(s);
    return v && *v > 0.0 && *v <= std::numeric_limits<float>::max() ? v : std::nullopt;
}

// What a carton bears: 0 or more, within a float.
std::optional<double> load_value(std::string_view s) {
    const std::optional<double> v = parse_exact(s);
    return v && *v >= 0.0 && *v <= std::numeric_limits<float>::max() ? v : std::nullopt;
}

// A carton's weight as the packing list takes one.
std::optional<double> carton_weight(std::string_view s) {
    const std::optional<double> v = positive(s);
    return v && *v <= max_list_weight ? v : std::nullopt;
}

template <typename T>
std::optional<T> whole(std::string_view s, T least, T most) {
    T value{};
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || s[0] == '-' || result.ec != std::errc{} || result.ptr != s.data() + s.size())
        return std::nullopt;
    if (value < least || value > most) return std::nullopt;
    return value;
}

std::optional<unsigned> sides_of(std::string_view s) {
    unsigned mask = 0;
    std::size_t from = 0;
    for (char c : s) {
        const std::size_t side = std::string_view("LWH").find(c);
        if (side == std::string_view::npos || side < from) return std::nullopt;
        mask |= 1u << side;
        from = side + 1;
    }
    if (mask == 0) return std::nullopt;
    return mask;
}

// One line: its keyword, `count` fields after single blanks, and with
// `named` the rest of the line after one more blank (empty without it).
struct line_fields {
    std::vector<std::string_view> values;
    std::string_view name;
};

std::optional<line_fields> fields_of(std::string_view line, std::string_view keyword,
                                     std::size_t count, bool named) {
    if (!line.starts_with(keyword)) return std::nullopt;
    line.remove_prefix(keyword.size());
    line_fields f;
    for (std::size_t k = 0; k < count; ++k) {
        if (!line.starts_with(' ')) return std::nullopt;
        line.remove_prefix(1);
        const std::size_t end = std::min(line.find(' '), line.size());
        if (end == 0) return std::nullopt;
        f.values.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    if (named && line.starts_with(' ')) {
        f.name = line.substr(1);
        line = {};
    }
    if (!line.empty()) return std::nullopt;
    if (!is_utf8(f.name) || !has_no_controls(f.name)) return std::nullopt;
    return f;
}

// Reads line by line; the first line at fault stops it (every later step
// then fails at once) and is remembered.
class plan_reader {
public:
    plan_reader(std::string_view bytes, int version) : rest_(bytes), version_(version) {}

    bool ok() const { return !fault_line_; }
    std::size_t fault_line() const { return fault_line_.value_or(0); }

    // The next line without its LF (and a CR before it); the last may lack its LF.
    std::string_view next() {
        if (!ok()) return {};
        ++number_;
        if (rest_.empty()) return fail(std::string_view());
        const std::size_t end = std::min(rest_.find('\n'), rest_.size());
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(std::min(end + 1, rest_.size()));
        if (line.ends_with('\r')) line.remove_suffix(1);
        return line;
    }

    // A failed line gives `count` empty fields, which every reading refuses.
    line_fields fields(std::string_view keyword, std::size_t count, bool named = false) {
        std::optional<line_fields> f = fields_of(next(), keyword, count, named);
        if (!f) return fail(line_fields{std::vector<std::string_view>(count), {}});
        return std::move(*f);
    }

    std::size_t count(std::string_view keyword, std::size_t least = 0,
                      std::size_t most = max_entries) {
        return need(whole<std::size_t>(fields(keyword, 1).values[0], least, most));
    }

    // A container's line: its blocks, and from version 2 on how many
    // containers in a row load them.
    std::size_t load(container_load& load) {
        const line_fields f = fields("load", version_ >= 2 ? 2 : 1);
        if (version_ >= 2) load.repeat = need(whole<std::int64_t>(f.values[1], 1, max_repeat));
        return need(whole<std::size_t>(f.values[0], 0, max_entries));
    }

    void container(mixed_plan_file& file) {
        const line_fields f = fields("container", 4, true);
        // Written as length, width, height; held along x, y and z.
        file.container.size = container_axes(std::array{
            need(positive(f.values[0])), need(positive(f.values[1])), need(positive(f.values[2]))});
        file.container.payload = optional_value(f.values[3], positive);
        file.container_type = std::string(f.name);
    }

    // From version 3 on: heavy not on light, and the balance band in per
    // cent or `-`.
    void weights(mixed_plan_file& file) {
        if (version_ < 3) return;
        const line_fields f = fields("weights", 2);
        file.weights.heavy_not_on_light = need(yes_or_no(f.values[0]));
        const std::optional<double> percent = optional_value(f.values[1], positive);
        if (percent && *percent > 50.0) fail(0);
        file.weights.balance_share =
            percent ? std::optional<double>(*percent / 100.0) : std::nullopt;
    }

    carton_type carton(std::string_view keyword = "type") {
        const line_fields f = fields(keyword, version_ >= 3 ? 9 : 7, true);
        carton_type t;
        t.name = std::string(f.name);
        for (std::size_t k = 0; k < 3; ++k) t.size[k] = need(positive(f.values[k]));
        t.quantity = need(whole<std::int64_t>(f.values[3], 1, max_list_quantity));
        t.weight = optional_value(f.values[4], carton_weight);
        t.allowed = orientation_set::with_vertical_sides(need(sides_of(f.values[5])));
        t.stackable = need(yes_or_no(f.values[6]));
        if (version_ >= 3) {
            t.max_load = optional_value(f.values[7], load_value);
            if (f.values[8] != no_value)
                t.max_layers = need(whole<std::int64_t>(f.values[8], 1, max_list_quantity));
        }
        return t;
    }

    carton_block block(std::size_t types) {
        const line_fields f = fields("block", 8);
        carton_block b;
        b.type = need(whole<std::size_t>(f.values[0], 0, types - 1));
        b.x = need(parse_exact(f.values[1]));
        b.y = need(parse_exact(f.values[2]));
        b.z = need(parse_exact(f.values[3]));
        b.orientation = need(whole<std::int16_t>(f.values[4], 1, 6));
        constexpr std::int16_t most = std::numeric_limits<std::int16_t>::max();
        b.count_x = need(whole<std::int16_t>(f.values[5], 0, most));
        b.count_y = need(whole<std::int16_t>(f.values[6], 0, most));
        b.count_z = need(whole<std::int16_t>(f.values[7], 0, most));
        return b;
    }

    // From version 4 on: the pallets of an order, each item of the list
    // one of `types`.
    void pallets(mixed_plan_file& file, std::size_t types) {
        if (version_ < 4) return;
        const std::size_t n = count("pallets", 0, max_list_types);
        for (std::size_t k = 0; k < n && ok(); ++k) {
            palletised_type& p = file.pallets.emplace_back();
            const line_fields f = fields("pallet", 6, true);
            p.line = need(whole<std::size_t>(f.values[0], 0, max_list_types - 1));
            p.full_item = item_index(f.values[1], types);
            p.rest_item = item_index(f.values[2], types);
            p.full = need(whole<std::int64_t>(f.values[3], 0, max_list_quantity));
            p.rest = need(whole<std::int64_t>(f.values[4], 0, max_list_quantity));
            p.rest_loose = need(yes_or_no(f.values[5]));
            p.pallet_name = std::string(f.name);
            const line_fields d = fields("deck", 6);
            p.pallet = {need(positive(d.values[0])),   need(positive(d.values[1])),
                        need(load_value(d.values[2])), need(load_value(d.values[3])),
                        need(positive(d.values[4])),   optional_value(d.values[5], positive)};
            p.carton = carton("carton");
            stack(p.plan);
        }
    }

    // The last line, and nothing after it.
    void end() {
        if (next() != "end" || !rest_.empty()) fail(0);
    }

private:
    // More lines of one kind than any plan holds; a count beyond it is no
    // plan, and nothing is reserved from a count before its lines are read.
    static constexpr std::size_t max_entries = 1'000'000;
    // No run of containers is longer than the cartons of a type.
    static constexpr std::int64_t max_repeat = max_list_quantity;

    template <typename T>
    T fail(T value) {
        if (!fault_line_) fault_line_ = number_;
        return value;
    }

    template <typename T>
    T need(const std::optional<T>& value) {
        return value ? *value : fail(T{});
    }

    std::optional<std::size_t> item_index(std::string_view s, std::size_t types) {
        if (s == no_value) return std::nullopt;
        return need(whole<std::size_t>(s, 0, types - 1));
    }

    // A pallet's plan and its layer patterns.
    void stack(pallet_plan& plan) {
        const line_fields f = fields("stack", 12);
        plan.cartons = need(whole<std::int64_t>(f.values[0], 1, max_list_quantity));
        plan.per_layer = need(whole<std::int64_t>(f.values[1], 1, max_list_quantity));
        plan.layers = need(whole<std::int64_t>(f.values[2], 1, max_list_quantity));
        plan.top_layer = need(whole<std::int64_t>(f.values[3], 1, max_list_quantity));
        plan.upper_bound = need(whole<std::int64_t>(f.values[4], 0, max_list_quantity));
        plan.standing_side = need(whole<std::size_t>(f.values[5], 0, 2));
        plan.interlocked = need(yes_or_no(f.values[6]));
        if (f.values[7] == "weight") {
            plan.limit = pallet_limit::weight;
        } else if (f.values[7] != "height") {
            fail(0);
        }
        for (std::size_t k = 0; k < 3; ++k) plan.size[k] = need(positive(f.values[8 + k]));
        plan.weight = optional_value(f.values[11], positive);
        const std::size_t patterns = count("patterns", 1, 2);
        for (std::size_t k = 0; k < patterns && ok(); ++k) {
            layer_pattern& layer = plan.layer_patterns.emplace_back();
            const std::size_t cartons = count("layer", 1);
            for (std::size_t c = 0; c < cartons && ok(); ++c) {
                const line_fields a = fields("at", 4);
                layer.push_back({need(parse_exact(a.values[0])), need(parse_exact(a.values[1])),
                                 need(positive(a.values[2])), need(positive(a.values[3]))});
            }
        }
    }

    static std::optional<bool> yes_or_no(std::string_view s) {
        if (s == "yes") return true;
        if (s == "no") return false;
        return std::nullopt;
    }

    std::optional<double> optional_value(std::string_view s,
                                         std::optional<double> (*read)(std::string_view)) {
        if (s == no_value) return std::nullopt;
        return need(read(s));
    }

    std::string_view rest_;
    int version_;
    std::size_t number_ = 0;
    std::optional<std::size_t> fault_line_;
};

// The version on the first line, or none when it is not a mixed plan's.
std::optional<int> version_of(std::string_view bytes) {
    std::string_view first = bytes.substr(0, bytes.find('\n'));
    if (first.ends_with('\r')) first.remove_suffix(1);
    const std::optional<line_fields> f = fields_of(first, magic, 1, false);
    if (!f) return std::nullopt;
    return whole<int>(f->values[0], 1, std::numeric_limits<int>::max());
}

// Fills in what the blocks load; the first container that breaks a rule
// (counted from 1), or 0. Each sum is checked against the list as it grows,
// so that no count of a made-up file overflows.
std::size_t count_and_check(mixed_plan_file& file, int version) {
    std::vector<carton_rules> rules = rules_of(file.cartons);
    std::vector<std::int64_t> total(file.cartons.size(), 0);
    for (std::size_t c = 0; c < file.plan.containers.size(); ++c) {
        container_load& load = file.plan.containers[c];
        // Heavy not on light as the plan was made (files before version 3
        // knew no such rule); the balance is shown, not refused: a load may
        // be one that cannot be balanced.
        if (!check_placement(load.blocks, rules, file.container,
                             {version >= 3 && file.weights.heavy_not_on_light, std::nullopt})
                 .valid())
            return c + 1;
        load.loaded.assign(file.cartons.size(), 0);
        for (const carton_block& b : load.blocks) {
            load.loaded[b.type] += carton_count(b);
            if (load.loaded[b.type] > file.cartons[b.type].quantity) return c + 1;
        }
        for (std::size_t t = 0; t < total.size(); ++t) {
            total[t] += load.loaded[t] * load.repeat;
            if (total[t] > file.cartons[t].quantity) return c + 1;
        }
    }
    for (std::size_t t = 0; t < total.size(); ++t) {
        file.plan.unloaded.push_back(file.cartons[t].quantity - total[t]);
    }
    return 0;
}

}  // namespace

std::string write_mixed_plan(const mixed_plan_file& file) {
    std::string out;
    const bool repeats = std::any_of(file.plan.containers.begin(), file.plan.containers.end(),
                                     [](const container_load& load) { return load.repeat != 1; });
    const bool bearing =
        std::any_of(file.cartons.begin(), file.cartons.end(),
                    [](const carton_type& t) { return t.max_load || t.max_layers; }) ||
        !file.weights.heavy_not_on_light || file.weights.balance_share != 0.05;
    const bool on_pallets = !file.pallets.empty();
    // An order on pallets writes every field of version 3, and its pallets.
    const bool full = bearing || on_pallets;
    out += std::string(magic) + ' ' +
           (on_pallets ? "4"
            : bearing  ? "3"
            : repeats  ? "2"
                       : "1") +
           '\n';
    const std::array<double, 3> c = container_sides(file.container.size);
    named_line(out,
               "container " + format_exact(c[0]) + ' ' + format_exact(c[1]) + ' ' +
                   format_exact(c[2]) + ' ' + optional_text(file.container.payload),
               file.container_type);
    if (full) {
        const std::optional<double> percent =
            file.weights.balance_share ? std::optional<double>(*file.weights.balance_share * 100)
                                       : std::nullopt;
        out += std::string("weights ") + (file.weights.heavy_not_on_light ? "yes" : "no") + ' ' +
               optional_text(percent) + '\n';
    }
    out += "types " + std::to_string(file.cartons.size()) + '\n';
    for (const carton_type& t : file.cartons)
        named_line(out, "type " + type_fields(t, full), t.name);
    if (on_pallets) write_pallets(out, file.pallets);
    out += "containers " + std::to_string(file.plan.containers.size()) + '\n';
    for (const container_load& load : file.plan.containers) {
        out += "load " + std::to_string(load.blocks.size());
        if (repeats || full) out += ' ' + std::to_string(load.repeat);
        out += '\n';
        for (const carton_block& b : load.blocks) {
            out += "block " + std::to_string(b.type) + ' ' + format_exact(b.x) + ' ' +
                   format_exact(b.y) + ' ' + format_exact(b.z) + ' ' +
                   std::to_string(b.orientation) + ' ' + std::to_string(b.count_x) + ' ' +
                   std::to_string(b.count_y) + ' ' + std::to_string(b.count_z) + '\n';
        }
    }
    out += "end\n";
    return out;
}

mixed_read_result read_mixed_plan(std::string_view bytes) {
    mixed_read_result result;
    const std::optional<int> version = version_of(bytes);
    if (!version) {
        result.status = mixed_read_status::not_mixed_plan;
        return result;
    }
    if (*version > mixed_plan_version) {
        result.status = mixed_read_status::newer_version;
        return result;
    }
    plan_reader reader(bytes, *version);
    mixed_plan_file file;
    reader.next();
    reader.container(file);
    reader.weights(file);
    const std::size_t types = reader.count("types", 1, max_list_types);
    for (std::size_t t = 0; t < types && reader.ok(); ++t) file.cartons.push_back(reader.carton());
    reader.pallets(file, types);
    // Items that are loaded pallets keep the rules of pallets.
    for (const palletised_type& p : file.pallets) {
        for (std::size_t k = 0; k < file.cartons.size(); ++k)
            file.cartons[k].pallet = file.cartons[k].pallet || p.cartons_on(k) > 0;
    }
    const std::size_t containers = reader.count("containers");
    for (std::size_t c = 0; c < containers && reader.ok(); ++c) {
        container_load& load = file.plan.containers.emplace_back();
        const std::size_t blocks = reader.load(load);
        for (std::size_t b = 0; b < blocks && reader.ok(); ++b) {
            load.blocks.push_back(reader.block(types));
        }
    }
    reader.end();
    if (!reader.ok()) {
        result.status = mixed_read_status::malformed;
        result.line = reader.fault_line();
        return result;
    }
    result.container = count_and_check(file, *version);
    if (result.container != 0) {
        result.status = mixed_read_status::breaks_rules;
        return result;
    }
    result.status = mixed_read_status::ok;
    result.plan = std::move(file);
    return result;
}

std::string mixed_read_message(const mixed_read_result& r) {
    switch (r.status) {
        case mixed_read_status::ok: return {};
        case mixed_read_status::not_mixed_plan: return text::mixed_not_a_plan;
        case mixed_read_status::newer_version: return text::mixed_newer_version;
        case mixed_read_status::malformed:
            return text::mixed_line_prefix + std::to_string(r.line) + text::mixed_line_suffix;
        case mixed_read_status::breaks_rules:
            return text::mixed_container_prefix + std::to_string(r.container) +
                   text::mixed_container_suffix;
    }
    return {};
}

}  // namespace varnel
