#include "report/report_text.h"

#include <cmath>

#include "engine/core/container.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "engine/summary.h"
#include "report/messages.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

QString q(const char* s) { return qtext(s); }
QString q(const std::string& s) { return qtext(s); }
QString number(std::int64_t n) { return QString::number(n); }
QString centimetres(double millimetres) { return QString::number(whole_cm(millimetres), 'f', 0); }
// A utilisation as the summary writes it: cut to two decimals.
QString percent(double utilisation) {
    return q(format_number(cut_percent(utilisation))) + QStringLiteral("%");
}

}  // namespace

QString cm(double millimetres) { return centimetres(millimetres) + qtext(text::cm); }

QString kg(double kilograms) { return q(measure_text(kilograms)) + q(text::kg_suffix); }

QString plan_line(const loading_report& r) {
    if (r.plan_name.empty()) return q(text::plan_label) + q(r.plan_kind);
    QString s = q(text::plan_label) + q(r.plan_name);
    if (!r.plan_kind.empty()) s += QStringLiteral("（") + q(r.plan_kind) + QStringLiteral("）");
    return s;
}

QString container_line(const loading_report& r) {
    return q(text::container_label) +
           (r.container.name.empty() ? q(text::typed_container) : q(r.container.name));
}

QString size_line(const loading_report& r) {
    QString s = q(text::inner_size) + q(size_text(container_sides(r.container.size)));
    if (r.container.payload)
        s += QStringLiteral("；") + q(text::payload_label) + kg(*r.container.payload);
    return s;
}

QString order_line(const loading_report& r) {
    return q(text::order_containers_prefix) + number(r.order_containers) +
           q(text::order_containers_suffix);
}

QStringList figure_lines(const loading_report& r, const report_load& load,
                         const loading_instructions& order) {
    const container_summary& f = load.figures;
    const weight_figures& w = load.weights;
    QStringList lines{
        q(text::total_prefix) + number(f.cartons) + q(text::total_middle) +
            number(static_cast<std::int64_t>(order.walls.size())) + q(text::walls_middle) +
            number(static_cast<std::int64_t>(order.steps.size())) + q(text::total_suffix),
        q(text::utilisation_label) + percent(f.utilisation)};
    QString weight = q(text::cargo_weight_label);
    weight += f.weight ? kg(*f.weight) : q(text::weight_unknown);
    if (f.weight && r.container.payload) {
        weight += q(text::of_payload_prefix) + q(measure_text(*r.container.payload)) +
                  q(text::of_payload_suffix);
    }
    lines << weight;
    if (!order.check.valid()) lines << order_fault_line(order.check);
    if (f.centre_of_gravity) {
        const double along = (*f.centre_of_gravity)[1];
        const double middle = r.container.size[1] / 2;
        const double off = along - middle;
        QString centre = q(text::centre_label) + cm(along) + q(text::centre_middle) + cm(middle);
        // Less than half a centimetre off is the middle itself.
        if (std::fabs(off) >= 5.0) {
            centre += q(off > 0 ? text::towards_door : text::towards_far_end) + cm(std::fabs(off));
        }
        lines << centre + q(text::centre_suffix);
    }
    if (w.balance) {
        const balance_figures& b = *w.balance;
        lines << q(text::across_label) + cm(b.centre[0]) + q(text::centre_middle) +
                     cm(r.container.size[0] / 2) + q(text::centre_suffix);
        lines << q(text::band_label) + cm(b.band[1]) + q(text::band_middle) + cm(b.band[0]) +
                     q(text::band_separator) + q(balance_text(b));
    }
    if (w.most_carried) {
        QString carried = q(text::carried_label) + kg(*w.most_carried);
        if (w.carried_allowed) {
            carried += q(text::allowed_prefix) + kg(*w.carried_allowed) + q(text::allowed_suffix);
        }
        lines << carried;
    }
    return lines;
}

QStringList header_cells(std::initializer_list<const char*> captions) {
    QStringList cells;
    for (const char* c : captions) cells << q(c);
    return cells;
}

QStringList type_cells(const report_carton& t, std::int64_t cartons) {
    const QString one = t.weight ? kg(*t.weight) : QString();
    const QString all = t.weight ? kg(*t.weight * static_cast<double>(cartons)) : QString();
    return {QString(), q(type_name(t)), q(size_text(t.size)), number(cartons), one, all};
}

QStringList load_cells(const report_load& load) {
    const container_summary& f = load.figures;
    return {q(load.heading), number(f.cartons), percent(f.utilisation),
            f.weight ? kg(*f.weight) : QString(),
            f.centre_of_gravity ? cm((*f.centre_of_gravity)[1]) : QString()};
}

QString step_title(std::size_t index) {
    return q(text::step_number_prefix) + number(static_cast<std::int64_t>(index + 1)) +
           q(text::step_number_suffix);
}

QString pallet_layer_title(std::size_t layer) {
    return q(text::layer_view_prefix) + number(static_cast<std::int64_t>(layer + 1)) +
           q(text::layer_view_suffix);
}

QStringList step_lines(const loading_report& r, const loading_step& s, std::int64_t total) {
    const QString indent(q(text::step_start).size(), QChar(0x3000));
    const report_carton& t = r.types[s.type];
    // A step of loaded pallets counts pallets by what they hold.
    const QString count = t.pallet_load.empty() ? number(s.cartons) + q(text::cartons)
                                                : q(pallets_text(s.cartons, type_name(t)));
    return {q(text::step_carton) + q(type_name(t)),
            q(text::step_count) + q(count_text(s)) + q(text::equals) + count,
            q(text::step_stance) + q(stance_text(s.orientation)),
            q(text::step_carton_extent) + q(size_text(s.carton)),
            q(text::step_start) + q(text::from_far_end) + cm(s.from_far_end),
            indent + q(text::from_left) + cm(s.from_left),
            indent + q(text::from_floor) + cm(s.from_floor),
            q(text::step_total) + number(s.running_total) + q(text::slash) + number(total) +
                q(text::cartons)};
}

QString wall_heading(std::size_t wall, const wall_span& span) {
    return q(text::wall_prefix) + number(static_cast<std::int64_t>(wall + 1)) +
           q(text::wall_middle) + centimetres(span.from) + q(text::wall_dash) +
           centimetres(span.to) + q(text::cm);
}

QString order_fault_line(const order_check& check) {
    const char* rule = check.fault == order_fault::blocked        ? text::order_blocked
                       : check.fault == order_fault::out_of_reach ? text::order_out_of_reach
                                                                  : text::order_support_after;
    return q(text::order_fault_prefix) +
           number(static_cast<std::int64_t>(check.step.value_or(0) + 1)) + q(rule);
}

QString page_text(int n, int count) {
    return q(text::page_prefix) + QString::number(n) + q(text::page_middle) +
           QString::number(count) + q(text::page_suffix);
}

}  // namespace varnel
