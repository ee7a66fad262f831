#include "dialogs/khunzhuang.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

#include "dialogs/file_save.h"
#include "dialogs/messages.h"
#include "dialogs/packing_table.h"
#include "engine/core/container.h"
#include "engine/loading_steps.h"
#include "engine/messages.h"
#include "engine/mixed/mixed_summary.h"
#include "engine/numbers.h"
#include "engine/single/pallet_order.h"
#include "engine/summary.h"
#include "plan/messages.h"
#include "plan/plan_file.h"
#include "plan/spreadsheet_list.h"
#include "ui/form.h"
#include "ui/look.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"

namespace varnel {

namespace {

using form::kind;
using palette::blue, palette::dark_blue;

// The table's order is the keyboard order.
// clang-format off
constexpr form::control controls[] = {
    {"list_frame", kind::frame, "", {4, 2, 712, 292}, text::list_frame, dark_blue},
    {"list_table", kind::custom, "list_frame", {8, 18, 696, 236}},
    {"add_row_button", kind::button, "list_frame", {8, 260, 80, 24}, text::add_row_caption},
    {"remove_rows_button", kind::button, "list_frame", {92, 260, 88, 24}, text::remove_rows_caption},
    {"from_catalogue_label", kind::label, "list_frame", {190, 266, 0, 0}, text::from_catalogue_label},
    {"carton_choice", kind::list, "list_frame", {290, 262, 130, 20}},
    {"add_carton_button", kind::button, "list_frame", {424, 260, 48, 24}, text::add_carton_caption},
    {"import_button", kind::button, "list_frame", {510, 260, 94, 24}, text::import_caption},
    {"save_list_button", kind::button, "list_frame", {608, 260, 96, 24}, text::save_list_caption},
    {"container_label", kind::label, "", {12, 304, 0, 0}, text::container_label, blue},
    {"container_text", kind::label, "", {66, 304, 0, 0}},
    {"payload_label", kind::label, "", {330, 304, 0, 0}, text::mixed_payload_label, blue},
    {"payload_field", kind::field, "", {412, 300, 90, 20}},
    {"payload_unit", kind::label, "", {506, 304, 0, 0}, text::kilograms_unit, blue},
    {"compute_button", kind::button, "", {540, 298, 82, 26}, text::work_out_caption},
    {"close_button", kind::button, "", {630, 298, 82, 26}, text::close_caption},
    {"heavy_box", kind::check_box, "", {12, 330, 96, 20}, text::heavy_not_on_light_caption},
    {"balance_box", kind::check_box, "", {120, 330, 94, 20}, text::balance_caption},
    {"balance_field", kind::custom, "", {216, 329, 62, 22}},
    {"balance_unit", kind::label, "", {284, 333, 0, 0}, text::balance_unit},
    // How the list's pallets are made, beside the weight rules.
    {"pallet_rest_label", kind::label, "", {428, 333, 0, 0}, text::pallet_rest_label},
    {"pallet_rest_choice", kind::list, "", {494, 330, 92, 20}},
    {"pallets_stackable_box", kind::check_box, "", {596, 330, 100, 20}, text::pallets_stackable_caption},
    {"results_frame", kind::frame, "", {4, 356, 712, 196}, text::results_frame, dark_blue},
    {"result_table", kind::custom, "results_frame", {8, 18, 696, 170}},
};
// clang-format on

// The window's size as designed, and its least.
constexpr QSize design_size{720, 558};

// How a control follows the window made larger than designed: extra width
// widens the frames and tables and carries the keys at the right along;
// extra height goes half to the list, half to the results.
struct follow {
    const char* name;
    bool right;    // moves right with the extra width
    bool down;     // moves down with the list's extra height
    bool wide;     // widens with the extra width
    int tall = 0;  // grows with the list's (1) or the results' (2) extra height
};
// clang-format off
constexpr follow follows[] = {
    {"list_frame", false, false, true, 1},
    {"list_table", false, false, true, 1},
    {"add_row_button", false, true, false},
    {"remove_rows_button", false, true, false},
    {"from_catalogue_label", false, true, false},
    {"carton_choice", false, true, false},
    {"add_carton_button", false, true, false},
    {"import_button", true, true, false},
    {"save_list_button", true, true, false},
    {"container_label", false, true, false},
    {"container_text", false, true, false},
    {"payload_label", false, true, false},
    {"payload_field", false, true, false},
    {"payload_unit", false, true, false},
    {"compute_button", true, true, false},
    {"close_button", true, true, false},
    {"heavy_box", false, true, false},
    {"balance_box", false, true, false},
    {"balance_field", false, true, false},
    {"balance_unit", false, true, false},
    {"pallet_rest_label", false, true, false},
    {"pallet_rest_choice", false, true, false},
    {"pallets_stackable_box", false, true, false},
    {"results_frame", false, true, true, 2},
    {"result_table", false, false, true, 2},
};
// clang-format on

const form::control& control_named(std::string_view name) {
    return *std::find_if(std::begin(controls), std::end(controls),
                         [&](const form::control& c) { return name == c.name; });
}

// The balance band: a band a plan was made with (the command line takes any)
// shows as it is, "±7.5 %", whole ones without a point.
class band_box : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

protected:
    QString textFromValue(double value) const override { return QString::number(value, 'g', 6); }
};

QWidget* make_custom(const form::control& row, QWidget* parent) {
    const std::string_view name(row.name);
    if (name == "list_table") return new packing_table(parent);
    if (name == "balance_field") {
        auto* box = new band_box(parent);
        box->setDecimals(3);
        box->setRange(1, 50);
        box->setPrefix(QStringLiteral("±"));
        box->setSuffix(QStringLiteral(" %"));
        return box;
    }
    return new QTableWidget(parent);
}

QString cm_text(double mm) { return qtext(size_text_cm(static_cast<float>(mm))); }

// A centre of gravity from the far end in whole centimetres, as a loader
// marks it; blank where a weight is unknown.
QString along_text(const std::optional<std::array<double, 3>>& centre) {
    return centre ? qtext(measure_text(whole_cm((*centre)[1]))) : QString();
}

}  // namespace

khunzhuang::khunzhuang(prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts) {
    build();
}

void khunzhuang::build() {
    setWindowTitle(qtext(text::khunzhuang_title));
    setFont(simsun(12));
    setMinimumSize(design_size);
    resize(design_size);
    form::build(*this, controls, make_custom);
    list_table = form::part<packing_table>(*this, "list_table");
    add_row_button = form::part<QPushButton>(*this, "add_row_button");
    remove_rows_button = form::part<QPushButton>(*this, "remove_rows_button");
    carton_choice = form::part<selection_list>(*this, "carton_choice");
    add_carton_button = form::part<QPushButton>(*this, "add_carton_button");
    import_button = form::part<QPushButton>(*this, "import_button");
    save_list_button = form::part<QPushButton>(*this, "save_list_button");
    container_text = form::part<QLabel>(*this, "container_text");
    payload_field = form::part<QLineEdit>(*this, "payload_field");
    compute_button = form::part<QPushButton>(*this, "compute_button");
    close_button = form::part<QPushButton>(*this, "close_button");
    result_table = form::part<QTableWidget>(*this, "result_table");
    pallet_rest_choice = form::part<selection_list>(*this, "pallet_rest_choice");
    pallets_stackable_box = form::part<QCheckBox>(*this, "pallets_stackable_box");
    pallet_rest_choice->addItem(qtext(text::pallet_rest_on_pallet));
    pallet_rest_choice->addItem(qtext(text::pallet_rest_loose));
    heavy_box = form::part<QCheckBox>(*this, "heavy_box");
    balance_box = form::part<QCheckBox>(*this, "balance_box");
    balance_field = form::part<QDoubleSpinBox>(*this, "balance_field");
    heavy_box->setToolTip(qtext(text::heavy_not_on_light_tip));
    balance_box->setToolTip(qtext(text::balance_tip));
    balance_field->setToolTip(qtext(text::balance_tip));
    connect(balance_box, &QCheckBox::toggled, balance_field, &QWidget::setEnabled);
    show_weight_rules(mixed_plan_file{}.weights);

    compute_button->setDefault(true);
    compute_button->setAutoDefault(true);
    result_table->setColumnCount(6);
    result_table->setHorizontalHeaderLabels(
        {qtext(text::result_container_column), qtext(text::result_type_column),
         qtext(text::result_loaded_column), qtext(text::result_left_column),
         qtext(text::result_weight_column), qtext(text::result_centre_column)});
    result_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    result_table->verticalHeader()->hide();
    result_table->verticalHeader()->setDefaultSectionSize(22);
    const int widths[] = {110, 170, 80, 80, 110, 120};
    for (int c = 0; c < 6; ++c) result_table->setColumnWidth(c, widths[c]);
    list_table->add_empty_row();

    connect(add_row_button, &QPushButton::clicked, this, [this] {
        const int row = list_table->add_empty_row();
        list_table->setCurrentCell(row, 0);
        list_table->setFocus();
    });
    connect(remove_rows_button, &QPushButton::clicked, list_table,
            &packing_table::remove_selected_rows);
    connect(add_carton_button, &QPushButton::clicked, this, &khunzhuang::add_from_catalogue);
    connect(import_button, &QPushButton::clicked, this, &khunzhuang::import_list);
    connect(save_list_button, &QPushButton::clicked, this, &khunzhuang::save_list);
    connect(compute_button, &QPushButton::clicked, this, &khunzhuang::compute_requested);
    // A window is no dialog: Enter reaches no default key by itself.
    connect(payload_field, &QLineEdit::returnPressed, this, &khunzhuang::compute_requested);
    connect(list_table, &packing_table::compute_requested, this, &khunzhuang::compute_requested);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
}

void khunzhuang::refresh(std::vector<offered_carton> offered,
                         const std::variant<chosen_container, QString>& container) {
    offered_ = std::move(offered);
    const QString chosen = carton_choice->currentText();
    carton_choice->clear();
    for (const offered_carton& c : offered_) carton_choice->addItem(c.name);
    carton_choice->setCurrentIndex(carton_choice->findText(chosen));
    refresh_container(container);
}

void khunzhuang::refresh_container(const std::variant<chosen_container, QString>& choice) {
    if (const auto* refusal = std::get_if<QString>(&choice)) {
        container_.reset();
        container_text->setText(*refusal);
        container_text->adjustSize();
        return;
    }
    const chosen_container& c = std::get<chosen_container>(choice);
    const std::array<double, 3> s = container_sides(c.container.size);
    QString line =
        qtext(text::container_size_text).arg(cm_text(s[0]), cm_text(s[1]), cm_text(s[2]));
    if (!c.type_name.empty()) line = qtext(c.type_name) + QStringLiteral("  ") + line;
    // A new container brings its own payload; the same one keeps what was typed.
    const bool same = container_ && container_->type_name == c.type_name &&
                      container_->container.size == c.container.size;
    if (!same) {
        payload_field->setText(c.container.payload
                                   ? qtext(format_number(static_cast<float>(*c.container.payload)))
                                   : QString());
    }
    container_ = c;
    container_text->setText(line);
    container_text->adjustSize();
}

std::optional<packing_list> khunzhuang::read_table() {
    auto list = read_packing_list(list_table->cells());
    if (const auto* refusal = std::get_if<list_refusal>(&list)) {
        prompts_.message(qtext(refusal->message));
        list_table->point_at(*refusal);
        return std::nullopt;
    }
    return std::get<packing_list>(std::move(list));
}

std::optional<mixed_plan_file> khunzhuang::order() {
    const prompts::asked_from here(prompts_, this);
    if (!container_) {
        prompts_.message(qtext(text::mixed_container_wrong));
        return std::nullopt;
    }
    std::optional<packing_list> list = read_table();
    if (!list) return std::nullopt;
    container_space container = container_->container;
    const QString typed = payload_field->text().trimmed();
    container.payload.reset();
    if (!typed.isEmpty()) {
        const std::optional<float> kg = parse_number(typed.toStdString());
        if (!kg || !(*kg > 0.0f)) {
            prompts_.message(qtext(text::payload_wrong));
            payload_field->setFocus();
            payload_field->selectAll();
            return std::nullopt;
        }
        container.payload = *kg;
    }
    if (auto refusal = check_packing_list(*list, container)) {
        prompts_.message(qtext(refusal->message));
        list_table->point_at(*refusal);
        return std::nullopt;
    }
    if (!palletised(*list)) {
        return mixed_plan_file{
            container_->type_name, container, std::move(list->cartons), {}, weight_rules_chosen()};
    }
    const palletise_options options{pallet_rest_choice->currentIndex() == 1
                                        ? pallet_remainder::loose
                                        : pallet_remainder::pallet,
                                    pallets_stackable_box->isChecked()};
    auto order = palletise_list(*list, pallets_, container, options);
    if (const auto* refusal = std::get_if<list_refusal>(&order)) {
        prompts_.message(qtext(refusal->message));
        list_table->point_at(*refusal);
        return std::nullopt;
    }
    palletised_order& items = std::get<palletised_order>(order);
    return mixed_plan_file{container_->type_name,  container,
                           std::move(items.items), {},
                           weight_rules_chosen(),  std::move(items.pallets)};
}

void khunzhuang::set_pallets(pallet_catalogue pallets) {
    QStringList names;
    for (const auto& [name, measures] : pallets) names << qtext(name);
    pallets_ = std::move(pallets);
    list_table->set_pallet_names(names);
}

weight_rules khunzhuang::weight_rules_chosen() const {
    weight_rules w;
    w.heavy_not_on_light = heavy_box->isChecked();
    if (balance_box->isChecked()) w.balance_share = balance_field->value() / 100.0;
    return w;
}

void khunzhuang::show_weight_rules(const weight_rules& rules) {
    heavy_box->setChecked(rules.heavy_not_on_light);
    balance_box->setChecked(rules.balance_share.has_value());
    balance_field->setEnabled(rules.balance_share.has_value());
    if (rules.balance_share) balance_field->setValue(*rules.balance_share * 100);
}

void khunzhuang::show_plan(const mixed_plan_file& plan, const mixed_summary& summary) {
    list_table->clear_rows();
    for (const order_line& line : order_lines_of(plan.cartons, plan.pallets))
        list_table->add_carton(line.carton, line.pallet_name);
    if (!plan.pallets.empty()) {
        pallet_rest_choice->setCurrentIndex(plan.pallets.front().rest_loose ? 1 : 0);
        pallets_stackable_box->setChecked(
            std::any_of(plan.cartons.begin(), plan.cartons.end(), [&](const carton_type& c) {
                const auto k = static_cast<std::size_t>(&c - plan.cartons.data());
                const palletised_type* type = palletised_item(plan.pallets, k);
                return type != nullptr && type->cartons_on(k) > 0 && c.stackable;
            }));
    }
    show_weight_rules(plan.weights);
    show_results(plan, summary);
}

void khunzhuang::clear_results() {
    result_table->setRowCount(0);
    result_table->clearSpans();
}

void khunzhuang::show_results(const mixed_plan_file& plan, const mixed_summary& summary) {
    clear_results();
    const auto add = [this](const QStringList& cells) {
        const int row = result_table->rowCount();
        result_table->insertRow(row);
        for (int c = 0; c < cells.size(); ++c) {
            result_table->setItem(row, c, new QTableWidgetItem(cells[c]));
        }
        return row;
    };
    const auto kg = [](std::optional<double> w) { return w ? qtext(measure_text(*w)) : QString(); };
    // A line across the figures' columns, under the container's rows.
    const auto add_line = [&](const QString& number, const QString& label, const QString& line) {
        const int row = add({number, label, line});
        result_table->setSpan(row, 2, 1, result_table->columnCount() - 2);
        return result_table->item(row, 2);
    };
    const std::vector<carton_rules> rules = rules_of(plan.cartons);
    const std::optional<double> band = plan.weights.balance_share;
    std::vector<std::int64_t> left;
    for (const carton_type& c : plan.cartons) left.push_back(c.quantity);
    std::int64_t first = 1;
    for (std::size_t k = 0; k < summary.containers.size(); ++k) {
        const container_summary& s = summary.containers[k];
        const std::int64_t repeat = plan.plan.containers[k].repeat;
        // A run of identical containers is one row, each container's
        // figures, and what is left after the last of them.
        const QString number = repeat > 1
                                   ? qtext(containers_text(first, repeat, summary.container_count))
                                   : qtext(text::result_container).arg(first);
        first += repeat;
        for (std::size_t t = 0; t < plan.cartons.size(); ++t) {
            const cargo_figures& own = s.per_type[t];
            if (own.cartons == 0) continue;
            left[t] -= own.cartons * repeat;
            add({number, qtext(plan.cartons[t].name), QString::number(own.cartons),
                 QString::number(left[t]), kg(own.weight), along_text(own.centre_of_gravity)});
        }
        // The total in cartons, as the summary counts them: a pallet by the
        // cartons on it.
        std::int64_t left_cartons = 0;
        for (std::size_t t = 0; t < left.size(); ++t)
            left_cartons += cartons_in(plan.pallets, t, left[t]);
        add({number, qtext(text::result_total), QString::number(s.cartons),
             QString::number(left_cartons), kg(s.weight), along_text(s.centre_of_gravity)});
        // Where the weight lies, and whether the band holds it, when the
        // weights are known.
        const std::optional<balance_figures> b =
            balance_of(plan.plan.containers[k].blocks, rules, plan.container, band.value_or(0.0));
        if (!b) continue;
        add_line(number, qtext(text::result_centre_row),
                 qtext(centre_text(*b)) + QStringLiteral("（") + qtext(centre_offset_text(*b)) +
                     QStringLiteral("）"));
        if (!band) continue;
        QTableWidgetItem* verdict =
            add_line(number, qtext(text::result_band_row).arg(qtext(measure_text(*band * 100))),
                     qtext(balance_text(*b)));
        if (!b->holds) verdict->setForeground(palette::dark_red);
    }
    if (summary.unloaded_cartons > 0) {
        for (std::size_t t = 0; t < plan.cartons.size(); ++t) {
            if (summary.unloaded[t] == 0) continue;
            add({qtext(text::result_not_loaded), qtext(plan.cartons[t].name), QString(),
                 QString::number(summary.unloaded[t]), QString(), QString()});
        }
    }
}

void khunzhuang::add_from_catalogue() {
    const int at = carton_choice->currentIndex();
    if (at < 0 || static_cast<std::size_t>(at) >= offered_.size()) return;
    const int row = list_table->add_offered(offered_[static_cast<std::size_t>(at)]);
    // The quantity is the one thing the catalogue cannot say.
    list_table->setCurrentCell(row, 4);
    list_table->setFocus();
}

void khunzhuang::import_list() {
    const prompts::asked_from here(prompts_, this);
    const QString path = prompts_.open_file_name(qtext(text::list_import_filter), QString());
    if (path.isEmpty()) return;
    const file_contents file = read_whole_file(path);
    if (file.status == file_contents::state::not_opened) {
        prompts_.message(qtext(text::file_not_found));
        return;
    }
    if (file.status != file_contents::state::read) {
        prompts_.message(qtext(text::file_open_error));
        return;
    }
    const auto list = read_packing_list_file(path.toStdString(), file.bytes);
    if (const auto* refusal = std::get_if<list_refusal>(&list)) {
        prompts_.message(qtext(refusal->message));
        return;
    }
    // Added after the rows there are, so nothing typed is lost; an empty
    // row left from before goes.
    list_table->remove_blank_rows();
    const packing_list& read = std::get<packing_list>(list);
    for (std::size_t k = 0; k < read.cartons.size(); ++k)
        list_table->add_carton(read.cartons[k], k < read.pallets.size() ? read.pallets[k] : "");
}

void khunzhuang::save_list() {
    const prompts::asked_from here(prompts_, this);
    std::optional<packing_list> list = read_table();
    if (!list) return;
    save_after_asking(prompts_,
                      name_to_save(prompts_.save_file_name(qtext(text::list_save_filter),
                                                           qtext(text::list_suggested_name))),
                      write_packing_list_csv(list->cartons, list->pallets));
}

void khunzhuang::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int wider = std::max(0, width() - design_size.width());
    const int taller = std::max(0, height() - design_size.height());
    const int list_taller = taller / 2, results_taller = taller - list_taller;
    for (const follow& f : follows) {
        auto* w = form::part<QWidget>(*this, f.name);
        if (w == nullptr) continue;
        const QRect design = control_named(f.name).place;
        const QSize size = design.size().isEmpty() ? w->size() : design.size();
        w->setGeometry(design.x() + (f.right ? wider : 0), design.y() + (f.down ? list_taller : 0),
                       size.width() + (f.wide ? wider : 0),
                       size.height() + (f.tall == 1   ? list_taller
                                        : f.tall == 2 ? results_taller
                                                      : 0));
    }
    // The extra width goes to the names, as wide as the user left them.
    list_table->setColumnWidth(0, list_table->columnWidth(0) + wider - widened_);
    result_table->setColumnWidth(1, result_table->columnWidth(1) + wider - widened_);
    widened_ = wider;
}

void khunzhuang::remember_place_in(QSettings* settings) {
    places_ = settings;
    if (places_ == nullptr) return;
    const QByteArray place = places_->value(QLatin1String(place_key)).toByteArray();
    if (!place.isEmpty()) restoreGeometry(place);
}

void khunzhuang::keep_place() {
    if (places_ != nullptr) places_->setValue(QLatin1String(place_key), saveGeometry());
}

void khunzhuang::hideEvent(QHideEvent* event) {
    keep_place();
    QWidget::hideEvent(event);
}

khunzhuang::~khunzhuang() {
    if (isVisible()) keep_place();
}

}  // namespace varnel
