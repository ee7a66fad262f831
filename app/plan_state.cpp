#include "app/plan_state.h"

#include <numeric>
#include <string_view>
#include <utility>

#include "engine/block_tables.h"
#include "engine/core/loading_walls.h"
#include "engine/core/placement.h"
#include "engine/single/pallet_order.h"
#include "engine/single/pallet_text.h"
#include "engine/single/partial_load.h"
#include "report/messages.h"

namespace varnel {

namespace {

const char* kind_of(const plan_state& s) {
    if (s.part()) return text::kind_shipment;
    // An opened plan's tables tell whether they hold a search's blocks.
    const auto* one = std::get_if<single_plan>(&s.shown());
    if ((one && one->searched) || placed_blocks(s.tables()) != standard_blocks(s.tables()))
        return text::kind_optimised;
    return text::kind_standard;
}

}  // namespace

std::int64_t mixed_shown::first_number() const {
    std::int64_t first = 1;
    for (std::size_t i = 0; i < container; ++i) first += file.plan.containers[i].repeat;
    return first;
}

void plan_state::replaced(std::optional<block_list> searched) {
    kind_ = single_plan{std::move(searched), std::nullopt};
}

void plan_state::reset() {
    reset_model(tables_);
    replaced();
}

const single_plan* plan_state::single() const {
    if (const auto* s = std::get_if<single_plan>(&kind_)) return s;
    if (const auto* p = std::get_if<shipment_part>(&kind_)) return &p->plan;
    return nullptr;
}

void plan_state::keep_shipment_typed(shipment_entries typed) {
    if (auto* s = std::get_if<single_plan>(&kind_)) s->shipment_typed = std::move(typed);
    if (auto* p = std::get_if<shipment_part>(&kind_)) p->plan.shipment_typed = std::move(typed);
}

std::optional<shipment_entries> plan_state::shipment_typed() const {
    const single_plan* s = single();
    return s ? s->shipment_typed : std::nullopt;
}

// `whole` comes by value: it may be the tables themselves, which the part
// replaces.
bool plan_state::ship(load_model whole, std::int64_t cartons, std::optional<shipment_order> order,
                      std::optional<shipment> shipped) {
    const single_plan* s = single();
    const single_plan plan = s ? *s : single_plan{};
    const box_size carton{whole.carton_length, whole.carton_width, whole.carton_height};
    block_list part_blocks =
        partial_load(plan.searched ? *plan.searched : placed_blocks(whole), carton, cartons);
    load_model part = whole;
    if (!blocks_to_tables(part, part_blocks)) return false;
    tables_ = std::move(part);
    kind_ = shipment_part{
        plan,   std::move(whole), std::move(part_blocks), std::move(order), std::move(shipped),
        cartons};
    return true;
}

void plan_state::show_mixed(mixed_plan_file file, std::optional<QString> path) {
    reset_model(tables_);
    mixed_shown shown;
    shown.summary = summarise_mixed(file.plan, file.cartons, file.container.size);
    count_cartons_on_pallets(shown.summary, file.pallets);
    for (const carton_type& c : file.cartons) shown.sizes.push_back(c.size);
    shown.file = std::move(file);
    shown.path = std::move(path);
    kind_ = std::move(shown);
    show_container(0);
}

bool plan_state::show_container(std::size_t k) {
    mixed_shown* m = mixed();
    if (m == nullptr || k >= m->file.plan.containers.size()) return false;
    m->container = k;
    m->steps.reset();
    m->parts = step_parts(loading_walls(m->load().blocks, rules_of(m->file.cartons)));
    m->order.resize(m->parts.size());
    std::iota(m->order.begin(), m->order.end(), std::size_t{0});
    return true;
}

void plan_state::saved_as(QString path) {
    if (mixed_shown* m = mixed()) m->path = std::move(path);
}

const load_model& plan_state::whole() const {
    const shipment_part* p = part();
    return p ? p->whole : tables_;
}

bool plan_state::drawn() const { return tables_.draw_stacks[0].in_use != 0 || mixed(); }

bool plan_state::reportable() const { return stack_count(tables_.stacks) != 0 || mixed(); }

std::optional<std::size_t> plan_state::run_of(std::int64_t number) const {
    const mixed_shown* m = mixed();
    if (m == nullptr || number < 1) return std::nullopt;
    std::int64_t last = 0;
    const auto& runs = m->file.plan.containers;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        last += runs[i].repeat;
        if (number <= last) return i;
    }
    return std::nullopt;
}

block_list plan_state::blocks() const {
    if (const mixed_shown* m = mixed()) return m->load().blocks;
    if (const shipment_part* p = part()) return p->blocks;
    const single_plan* s = single();
    return s && s->searched ? *s->searched : placed_blocks(tables_);
}

std::optional<block_list> plan_state::walked_parts() const {
    if (mixed() || stack_count(tables_.stacks) == 0 ||
        std::string_view(kind_of(*this)) == text::kind_standard)
        return std::nullopt;
    const stack_record& carton = tables_.stacks[0];
    const std::vector<carton_rules> one{
        single_carton(carton.box_length, carton.box_width, carton.box_height)};
    return step_parts(loading_walls(blocks(), one));
}

std::size_t plan_state::load_shown() const {
    const mixed_shown* m = mixed();
    return m ? m->container : 0;
}

loading_report plan_state::report(const catalogue_names& names) const {
    if (const mixed_shown* m = mixed()) {
        const mixed_plan_file& f = m->file;
        // Judged by the band the plan was made within, as the user chose it.
        loading_report r = mixed_loading_report(f.container_type, f.container, f.cartons, f.plan,
                                                m->summary, f.weights.balance_share);
        add_pallets(r, f.pallets);
        r.plan_kind = text::kind_mixed;
        return r;
    }
    const stack_record& whole_record = tables_.stacks[0];
    loading_report r;
    r.container.size = {whole_record.space_x, whole_record.space_y, whole_record.space_z};
    r.container.name = names.container;
    r.container.payload = names.payload;
    report_carton carton;
    carton.size = {whole_record.box_length, whole_record.box_width, whole_record.box_height};
    carton.name = names.carton;
    r.types = {carton};
    r.plan_kind = kind_of(*this);
    // The order as the dialog was given it, as varnel-plan --quantity takes it.
    if (const shipment_part* p = part()) {
        if (p->order && p->order->carton_weight) r.types[0].weight = *p->order->carton_weight;
        if (p->order && p->order->payload) r.container.payload = *p->order->payload;
        if (p->shipped) {
            r.order_containers = p->shipped->containers;
            const bool last = p->cartons == p->shipped->last_cartons &&
                              p->shipped->last_cartons != p->shipped->per_container;
            r.notes.emplace_back(last ? text::last_container_note : text::full_container_note);
        }
    }
    // A weight typed for the order gives the load a centre to judge.
    if (r.types[0].weight) r.balance_share = default_balance_share;
    add_load(r, {}, blocks());
    return r;
}

plan_state::view_of plan_state::view(const catalogue_names& names) const {
    return {kind_, load_shown(), report(names)};
}

}  // namespace varnel
