#include "engine/shipment.h"

#include <cmath>
#include <cstddef>

#include "engine/messages.h"
#include "engine/numbers.h"

namespace varnel {

namespace {

// A weight as the decimal its text shows: mantissa · 10^exponent. Typed
// weights have few digits, and the float nearest 18.7 is not 18.7, so the
// quotient of payload and weight is taken on these decimals.
struct decimal {
    std::int64_t mantissa = 0;
    int exponent = 0;
};

decimal as_decimal(float value) {
    const std::string text = format_number(value);  // "18.7", "26480", "1.5E+07"
    decimal d;
    bool after_point = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            after_point = true;
        } else {
            d.mantissa = d.mantissa * 10 + (text[i] - '0');
            if (after_point) --d.exponent;
        }
    }
    if (i < text.size()) d.exponent += std::stoi(text.substr(i + 1));
    return d;
}

// floor(payload / weight) for positive values, at most `cap`.
std::int64_t whole_quotient(float payload, float weight, std::int64_t cap) {
    const decimal p = as_decimal(payload);
    const decimal w = as_decimal(weight);
    std::int64_t divisor = w.mantissa;
    int shift = p.exponent - w.exponent;
    // Seven digits each: a divisor that outgrows the payload tenfold gives 0.
    for (; shift < 0; ++shift) {
        if (divisor > p.mantissa) return 0;
        divisor *= 10;
    }
    std::int64_t quotient = p.mantissa / divisor;
    std::int64_t rest = p.mantissa % divisor;
    for (; shift > 0 && quotient <= cap; --shift) {
        quotient = quotient * 10 + rest * 10 / divisor;
        rest = rest * 10 % divisor;
    }
    return quotient < cap ? quotient : cap;
}

std::optional<float> read_weight(std::string_view text, bool& wrong) {
    if (is_blank(text)) return std::nullopt;
    const std::optional<float> value = parse_number(text);
    wrong = !value || !std::isfinite(*value) || !(*value > 0.0f);
    return value;
}

}  // namespace

std::variant<shipment_order, shipment_refusal> read_shipment_order(const shipment_texts& fields) {
    shipment_order order;
    const std::optional<std::int64_t> quantity = parse_count(fields.quantity);
    if (!quantity || *quantity < 1 || *quantity > max_order_quantity) {
        return shipment_refusal{text::quantity_wrong, shipment_field::quantity};
    }
    order.quantity = *quantity;
    bool wrong = false;
    order.carton_weight = read_weight(fields.carton_weight, wrong);
    if (wrong) return shipment_refusal{text::carton_weight_wrong, shipment_field::carton_weight};
    if (order.carton_weight && *order.carton_weight > max_carton_weight) {
        return shipment_refusal{text::carton_weight_too_large, shipment_field::carton_weight};
    }
    order.payload = read_weight(fields.payload, wrong);
    if (wrong) return shipment_refusal{text::payload_wrong, shipment_field::payload};
    return order;
}

std::variant<shipment, shipment_refusal> plan_shipment(const shipment_order& order,
                                                       std::int64_t plan_cartons) {
    if (plan_cartons <= 0)
        return shipment_refusal{text::plan_without_cartons, shipment_field::plan};
    if (order.quantity < 1 || order.quantity > max_order_quantity) {
        return shipment_refusal{text::quantity_wrong, shipment_field::quantity};
    }
    shipment s;
    s.quantity = order.quantity;
    s.per_container = plan_cartons;
    s.payload_known = order.payload.has_value();
    if (order.carton_weight && order.payload) {
        const std::int64_t carried =
            whole_quotient(*order.payload, *order.carton_weight, plan_cartons);
        if (carried == 0) {
            return shipment_refusal{text::carton_over_payload, shipment_field::carton_weight};
        }
        if (carried < plan_cartons) {
            s.per_container = carried;
            s.limit = shipment_limit::weight;
        }
    }
    s.containers = (s.quantity + s.per_container - 1) / s.per_container;
    s.last_cartons = s.quantity - (s.containers - 1) * s.per_container;
    if (order.carton_weight) {
        const double weight = static_cast<double>(*order.carton_weight);
        s.per_container_weight = static_cast<double>(s.per_container) * weight;
        s.last_weight = static_cast<double>(s.last_cartons) * weight;
    }
    return s;
}

std::variant<shipment, shipment_refusal> plan_shipment(const shipment_texts& fields,
                                                       std::int64_t plan_cartons) {
    if (plan_cartons <= 0)
        return shipment_refusal{text::plan_without_cartons, shipment_field::plan};
    auto order = read_shipment_order(fields);
    if (const auto* refusal = std::get_if<shipment_refusal>(&order)) return *refusal;
    return plan_shipment(std::get<shipment_order>(order), plan_cartons);
}

std::string weight_text(double kilograms) { return format_number(static_cast<float>(kilograms)); }

std::vector<std::string> shipment_lines(const shipment& s) {
    std::vector<std::string> lines;
    lines.push_back(text::containers_prefix + std::to_string(s.containers) +
                    text::containers_suffix);
    lines.push_back(text::per_container_prefix + std::to_string(s.per_container) +
                    text::cartons_suffix +
                    (s.limit == shipment_limit::weight ? text::weight_limit : text::volume_limit));
    std::string last =
        text::last_container_prefix + std::to_string(s.last_cartons) + text::cartons_suffix;
    if (s.last_weight) {
        last += text::cargo_weight_prefix + weight_text(*s.last_weight) + text::kilograms;
    }
    lines.push_back(last);
    if (!s.per_container_weight) {
        lines.emplace_back(text::no_carton_weight);
    } else if (!s.payload_known) {
        lines.emplace_back(text::payload_unknown);
    }
    return lines;
}

}  // namespace varnel
