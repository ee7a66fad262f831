#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "app/command_table.h"
#include "app/plan_state.h"
#include "dialogs/catalogue_host.h"
#include "dialogs/khunzhuang.h"
#include "dialogs/kzhuangyun.h"
#include "engine/calculation.h"
#include "engine/load_model.h"
#include "engine/loading_steps.h"
#include "engine/single/mixed_one_type.h"
#include "engine/single/optimise.h"
#include "plan/mixed_plan_format.h"
#include "view/solid_scene.h"
#include "view/step_view.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QSpinBox;
class QToolBar;

namespace varnel {

class catalogue_store;
class drawing_area;
class link_label;
class pfrom;
class prompts;
class selection_list;
class solid_view;
class step_bar;
struct container_type;
struct file_contents;

// The main window: the container and carton panels, the two options, the
// command buttons, the drawing area with its three result texts, the tool bar
// and the menus. It owns the plan shown (plan_state), its title and the
// step-through position, and dispatches every command through the command
// table.
class kmain : public QMainWindow, public catalogue_host, private stack_text_target {
    Q_OBJECT
public:
    // Ends the program with an exit status (production: leave the event
    // loops; tests: record it).
    using program_end = std::function<void(int status)>;

    kmain(catalogue_store& store, prompts& prompts, program_end end_program,
          QWidget* parent = nullptr);
    ~kmain() override;

    // Start-up after the catalogue is open: title state, title, plan reset.
    // False when the program has ended (an empty container table).
    bool start();

    // --- the plan and its title ------------------------------------------
    static QString title_prefix();
    QString plan_label() const;  // the title without its prefix
    void set_plan_number(std::int64_t number) { plan_number_ = number; }
    const load_model& model() const { return plan_.tables(); }

    void start_calculation();
    void optimise_calculation();
    void new_plan();
    void save_plan();
    void open_plan();
    void write_summary();
    bool reset_plan();
    void step_view();

    // How "优化计算" searches: off the user-interface thread, with a progress
    // dialog once it has run for `progress_delay` (most searches end before,
    // and a dialog that flashed up would only startle). Tests put in a search
    // that waits for them.
    struct optimiser {
        std::function<optimised_plan(const optimise_request&)> search = optimise_plan;
        std::chrono::milliseconds progress_delay{500};
    };
    void set_optimiser(optimiser o) { optimiser_ = std::move(o); }

    // "混装计算": the packing list window, and how it plans, as "优化计算"
    // searches. Tests put in a planner of their own.
    void mixed_load();
    struct mixed_planner {
        std::function<mixed_plan(const mixed_request&)> plan = plan_mixed_load;
        std::chrono::milliseconds progress_delay{500};
    };
    void set_mixed_planner(mixed_planner p) { mixed_planner_ = std::move(p); }
    // The packing list window, once "混装计算" has opened it.
    khunzhuang* packing_list_window() const { return hunzhuang_; }
    // Where the packing list window keeps its place between runs; none (as
    // in tests and the tools that draw the windows) keeps nothing.
    void set_window_places(QSettings* places) { places_ = places; }

    // --- the lists (catalogue_host) ---------------------------------------
    refill load_jizhuangxiang() override;
    refill load_bao() override;
    void lookup_container();
    void lookup_carton();
    void set_manual_container_size(const QString& length, const QString& width,
                                   const QString& height) override;
    QString carton_list_text() const override;
    void set_carton_size(const QString& length, const QString& width,
                         const QString& height) override;
    QString& edit_entry_name() override { return edit_entry_name_; }
    QWidget* dialog_parent() override { return this; }

private:
    // The command table (app/command_table.cpp): every menu item, tool-bar key
    // and command button, with the member function that carries it out.
    static std::span<const command_row> command_table();

    // Commands that are more than a call of a public function above.
    void print_plan();
    void exit_program();
    void container_types();
    void carton_types();
    void manual_container_input();
    void calculation_explanation();
    void help();
    void feedback();
    void about();
    void shipment_plan();
    // "托盘装载" (app/kmain_pallet.cpp): cartons of one type on a pallet.
    void pallet_load();
    void pallet_types();
    void export_report();
    void print_report();

    // The six fields and the two check boxes, read as every calculation
    // reads them.
    struct run_request {
        calculation_input input;
        bool single = false;
        bool side_allowed = true;
    };
    std::variant<run_request, input_refusal> read_run_request() const;
    void refuse(const input_refusal& refusal);
    void clear_result_texts();
    void show_plan(std::int16_t stacks, bool single);
    // The tables hold a plan anew, or none: what was kept of the plan before
    // goes, a shipment's and a mixed plan's too.
    void plan_replaced(std::optional<block_list> searched = std::nullopt);
    void plan_reset();
    // The third line: an optimised plan's bound, or which container of a
    // shipment is shown.
    void set_third_line(QString line);
    void show_container_line(const container_to_draw& shown);
    // The plan, or none when the user cancelled or the program is ending.
    std::optional<optimised_plan> search_off_thread(optimise_request request);

    void build_controls();
    void build_menus();
    void build_toolbar();
    void set_tab_order();
    void connect_buttons();
    void connect_commands();
    // The title names the plan shown: a mixed plan's file, else the plan
    // file opened, else the plan's name (start-up's or New's); a mixed plan
    // not yet saved goes by the plan's name.
    void show_title();
    void set_stack_text(const std::string& text) override;
    void set_result_text(QLabel* label, const QString& text);
    void container_list_used();
    // "装运计划" is there while the window shows a plan.
    void enable_shipment();
    int plan_payload(const load_model& plan) const;
    // The chosen container type, when its sizes are the plan's container's
    // (or these, in millimetres).
    std::optional<container_type> plan_container(const load_model& plan) const;
    std::optional<container_type> chosen_type(float length, float width, float height) const;

    // A mixed plan in the window (app/kmain_mixed.cpp). The packing list
    // window is given the catalogue's cartons and the chosen container, and
    // hands back the order to plan; the plan's one summary goes to both.
    std::vector<offered_carton> offered_cartons();
    std::variant<chosen_container, QString> container_choice();
    void refresh_packing_list();
    void plan_packing_list();
    bool plan_and_show(mixed_plan_file order);
    // The window's plan becomes this mixed plan, its first container shown.
    void show_mixed(mixed_plan_file file, std::optional<QString> path = std::nullopt);
    void show_container(std::size_t k);
    void show_mixed_step(std::optional<step_shown> shown);
    void mixed_step_back();
    void mixed_jump(int k);
    // The mixed plan's file, or a refusal's message; false when the bytes
    // are not a mixed plan at all.
    bool open_mixed_plan(const QString& path, const file_contents& file);
    void save_mixed_plan();
    // A mixed plan was shown and is no more: its keys, legend and results go.
    void mixed_gone();

    // The solid view of the plan shown (app/kmain_solid.cpp): "三维视图"
    // lays it over the wire frame or takes it away; while it shows, it
    // follows the plan and the step shown, and its own steps move the
    // window's walk.
    void switch_solid_view();
    void show_solid_view(bool on);
    void follow_in_solid_view();
    void solid_step_chosen(std::optional<int> step);
    solid_scene shown_scene() const;

    // The loading instructions of the plan shown (app/kmain_report.cpp).
    loading_report shown_report() const;
    catalogue_names shown_names() const;
    enum class plan_walk { forward, back, jump };
    // One move of the draw button's walk, or of the step bar's (a jump to
    // the first k steps), through the plan of one size shown: its loading
    // steps wall by wall, or the standard calculation's stacks.
    void walk_plan(plan_walk move, int k = 0);
    // The report commands and the step bar follow the plan shown.
    void update_report_commands();
    void build_step_bar();

    catalogue_store& store_;
    prompts& prompts_;
    program_end end_program_;

    plan_state plan_;
    QString plan_name_;
    std::int64_t plan_number_ = 1;
    QString named_as_;               // the plan's name as the title shows it: "Varnel文件1"
    std::optional<QString> opened_;  // the plan file (.qrn) opened since, until New
    QSettings* places_ = nullptr;
    QString edit_entry_name_;
    std::unique_ptr<step_through> steps_;
    step_bar* step_bar_ = nullptr;  // walks a plan of more than seven stacks
    pfrom* holder_ = nullptr;       // keeps the last capture until the next print
    optimiser optimiser_;
    mixed_planner mixed_planner_;
    khunzhuang* hunzhuang_ = nullptr;
    // The cancel flag of the search last started. A cancelled search is not
    // awaited: it holds nothing of the window and stops on its own.
    std::shared_ptr<std::atomic<bool>> search_cancel_;
    // The solid view, made when first asked for; a step it set is not
    // followed back into it.
    solid_view* solid_ = nullptr;
    bool solid_stepping_ = false;

    // Controls, each with its member's name as objectName (tests and the
    // help pictures find them by it).
    QToolBar* toolbar{};
    selection_list* container_list{};
    QLineEdit *container_length{}, *container_width{}, *container_height{};
    QPushButton *manual_input_button{}, *container_types_button{};
    QLineEdit *carton_length{}, *carton_width{}, *carton_height{};
    QLabel* carton_picture{};
    selection_list* carton_list{};
    QPushButton* carton_types_button{};
    QCheckBox *single_placement{}, *no_side_placement{};
    QPushButton *start_button{}, *draw_button{}, *print_button{}, *save_button{};
    drawing_area* drawing{};
    QLabel *utilisation_text{}, *arrangement_text{}, *stack_text{};
    // The third line: an optimised plan's bound, or which container of a
    // shipment is shown.
    QLabel* bound_line{};
    // Which container of a mixed plan is shown: the one before and after.
    QPushButton *previous_container_button{}, *next_container_button{};
    QSpinBox* container_number_box{};  // or its number, typed or chosen
    QLabel* maker_label{};
    link_label* web_label{};
};

}  // namespace varnel
