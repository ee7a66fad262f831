#include "plan/plan_format.h"

#include <optional>

#include "engine/numbers.h"

namespace varnel {

namespace {

constexpr std::string_view crlf = "\r\n";
constexpr std::string_view product_line = "Varnel\xC8\xED\xBC\xFE";  // "Varnel软件" in GBK
constexpr std::string_view stars = "******************************";
constexpr std::string_view first_section = "load_team()";
constexpr std::string_view at_signs = "@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@";
constexpr std::string_view second_section = "load_team_atu()";
constexpr std::string_view block_marker = "########";

// --- writing ---------------------------------------------------------------

void line(std::string& out, std::string_view text = {}) {
    out += text;
    out += crlf;
}

// A blank stands where a plus sign would; a trailing blank follows.
void number_line(std::string& out, std::string_view digits) {
    if (!digits.starts_with('-')) out += ' ';
    out += digits;
    out += ' ';
    out += crlf;
}

void number_line(std::string& out, float value) { number_line(out, format_number(value)); }
void number_line(std::string& out, int value) { number_line(out, std::to_string(value)); }

void write_block(std::string& out, int index, const stack_record& r) {
    line(out, block_marker);
    number_line(out, index);
    number_line(out, r.box_length);
    number_line(out, r.box_width);
    number_line(out, r.box_height);
    number_line(out, r.stage);
    number_line(out, r.in_use);
    number_line(out, r.origin_x);
    number_line(out, r.origin_y);
    number_line(out, r.space_x);
    number_line(out, r.space_y);
    number_line(out, r.space_z);
    number_line(out, r.orientation);
    number_line(out, r.reserved);
    number_line(out, r.count_x);
    number_line(out, r.count_y);
    number_line(out, r.count_z);
    line(out);
}

void write_section(std::string& out, const stack_table& table) {
    const int n = stack_count(table);
    for (int i = 0; i < n; ++i) write_block(out, i, table[static_cast<std::size_t>(i)]);
}

// --- reading ---------------------------------------------------------------

// Splits the bytes into lines at CR LF, LF or a lone CR; "ended" means no byte
// is left to read.
class line_reader {
public:
    explicit line_reader(std::string_view bytes) : rest_(bytes) {}

    bool ended() const { return rest_.empty(); }

    std::optional<std::string_view> next() {
        if (rest_.empty()) return std::nullopt;
        const std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            const std::string_view last = rest_;
            rest_ = {};
            return last;
        }
        const std::string_view text = rest_.substr(0, end);
        const bool pair = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (pair ? 2 : 1));
        return text;
    }

private:
    std::string_view rest_;
};

class block_reader {
public:
    block_reader(line_reader& lines, bool& errors) : lines_(lines), errors_(errors) {}

    // Reads the index line and the fifteen value lines into the table. The
    // index decides the record; a failed index keeps the previous one, an
    // index outside the table consumes the block and stores nothing.
    void read(stack_table& table, int& index) {
        const std::optional<std::int16_t> read_index = integer();
        if (read_index) index = *read_index;
        const bool in_table = index >= 0 && index < stack_table_size;
        if (!in_table) errors_ = true;
        stack_record scratch;
        stack_record& r = in_table ? table[static_cast<std::size_t>(index)] : scratch;
        store(r.box_length, real());
        store(r.box_width, real());
        store(r.box_height, real());
        store(r.stage, integer());
        store(r.in_use, integer());
        store(r.origin_x, real());
        store(r.origin_y, real());
        store(r.space_x, real());
        store(r.space_y, real());
        store(r.space_z, real());
        store(r.orientation, integer());
        store(r.reserved, integer());
        store(r.count_x, integer());
        store(r.count_y, integer());
        store(r.count_z, integer());
    }

private:
    // Every value line is read as a float first; 16-bit fields round it.
    std::optional<float> real() {
        const std::optional<std::string_view> text = lines_.next();
        if (!text) {
            errors_ = true;
            return std::nullopt;
        }
        const std::optional<float> value = parse_number(*text);
        if (!value) errors_ = true;
        return value;
    }

    std::optional<std::int16_t> integer() {
        const std::optional<float> value = real();
        if (!value) return std::nullopt;
        const std::optional<std::int16_t> whole = to_int16(*value);
        if (!whole) errors_ = true;
        return whole;
    }

    template <typename T>
    static void store(T& field, const std::optional<T>& value) {
        if (value) field = *value;
    }

    line_reader& lines_;
    bool& errors_;
};

}  // namespace

std::string write_plan(const stack_table& draw_stacks, const stack_table& stacks) {
    std::string out;
    // Two tables of records of 18 short lines, and the few lines around them.
    constexpr std::size_t record_bytes = 18 * 12;
    out.reserve(2 * record_bytes * max_planned_stacks + 128);
    line(out);
    line(out);
    line(out, product_line);
    line(out, stars);
    line(out);
    line(out, first_section);
    write_section(out, draw_stacks);
    line(out);
    line(out);
    line(out);
    line(out, at_signs);
    line(out, second_section);
    write_section(out, stacks);
    return out;
}

int plan_read_result::records_to_draw() const {
    const int n = last_index + 1;
    return n < 0 ? 0 : (n > stack_table_size ? stack_table_size : n);
}

bool plan_read_result::draws_past_table() const { return last_index + 1 > stack_table_size; }

plan_read_result read_plan(std::string_view bytes, stack_table& draw_stacks_out,
                           stack_table& stacks_out) {
    plan_read_result result;
    // Read into copies: a file that is refused leaves nothing behind.
    stack_table draw_stacks = draw_stacks_out;
    stack_table stacks = stacks_out;
    line_reader lines(bytes);
    block_reader blocks(lines, result.had_errors);

    while (const std::optional<std::string_view> text = lines.next()) {
        if (*text == first_section) break;
    }

    int index = 0;
    while (const std::optional<std::string_view> text = lines.next()) {
        if (*text == second_section) break;
        if (*text == block_marker) blocks.read(draw_stacks, index);
    }
    if (lines.ended()) {
        result.status = plan_read_status::section_missing;
        return result;
    }

    index = 0;
    while (const std::optional<std::string_view> text = lines.next()) {
        if (*text == block_marker) blocks.read(stacks, index);
    }
    result.last_index = index;
    // Without a stack in use in both tables there is no plan to show, and
    // a Save of it would write a file that cannot be opened.
    if (stack_count(draw_stacks) == 0 || stack_count(stacks) == 0) {
        result.status = plan_read_status::no_stack;
        return result;
    }
    draw_stacks_out = draw_stacks;
    stacks_out = stacks;
    return result;
}

}  // namespace varnel
