// The plan as a document: New plan names it, Save writes it, Open reads it
// back and shows it as a calculation would.
#include <QLineEdit>

#include "app/kmain.h"
#include "app/messages.h"
#include "dialogs/file_save.h"
#include "dialogs/kcnew.h"
#include "engine/messages.h"
#include "engine/numbers.h"
#include "plan/messages.h"
#include "plan/plan_file.h"
#include "plan/plan_format.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "view/drawing_area.h"
#include "view/stack_drawing.h"

namespace varnel {

void kmain::new_plan() {
    kcnew dialog(prompts_, this);
    dialog.exec();
    switch (dialog.result_outcome()) {
        case kcnew::outcome::named:
            plan_name_ = dialog.plan_name();
            named_as_ = plan_name_;
            opened_.reset();
            break;
        case kcnew::outcome::numbered:
            ++plan_number_;
            plan_name_ = qtext(text::default_plan_name);
            named_as_ = plan_name_ + QString::number(plan_number_);
            opened_.reset();
            break;
        case kcnew::outcome::closed: break;
    }
    reset_plan();
    show_title();
}

void kmain::save_plan() {
    if (plan_.mixed()) {
        save_mixed_plan();
        return;
    }
    // While a part load is shown, the file keeps the whole plan it came
    // from: the dialog draws the part again from it. A file reopens only
    // with a stack in both sections.
    const load_model& plan = plan_.whole();
    if (stack_count(plan.draw_stacks) == 0 || stack_count(plan.stacks) == 0) {
        prompts_.message(qtext(text::no_result));
        return;
    }
    // A mixed plan's name (.qrm) is no name for this plan: the file would
    // stop opening as a mixed plan.
    save_after_asking(
        prompts_,
        name_to_save(prompts_.save_file_name(qtext(text::plan_filter), plan_label()), u".qrm"),
        write_plan(plan.draw_stacks, plan.stacks));
}

void kmain::open_plan() {
    const QString path = prompts_.open_file_name(qtext(text::open_filter), plan_label());
    if (path.isEmpty()) return;
    const file_contents file = read_whole_file(path);
    if (file.status == file_contents::state::not_opened) {
        prompts_.message(qtext(text::file_not_found));
        return;
    }
    if (file.status == file_contents::state::not_regular) {
        prompts_.message(qtext(text::file_open_error));
        return;
    }
    if (open_mixed_plan(path, file)) return;
    if (!reset_plan()) return;

    // A read that failed part way is an error of the file: what was read is
    // shown, then the message. A refused file leaves the plan reset.
    load_model& tables = plan_.tables();
    const plan_read_result read = read_plan(file.bytes, tables.draw_stacks, tables.stacks);
    if (read.status != plan_read_status::ok) {
        prompts_.message(qtext(text::file_read_error));
        return;
    }
    // The file says how many records to draw; asking for more than the table
    // holds draws the whole table and counts as an error.
    const draw_status drawn = draw_first_stacks(*drawing, tables.draw_stacks,
                                                static_cast<std::int16_t>(read.records_to_draw()));
    const bool faulty = read.had_errors || read.draws_past_table() || drawn != draw_status::ok ||
                        file.status == file_contents::state::cut_short;
    write_summary();

    const stack_record& whole = tables.stacks[0];
    set_manual_container_size(qtext(size_text_cm(whole.space_y)),
                              qtext(size_text_cm(whole.space_x)),
                              qtext(size_text_cm(whole.space_z)));
    set_carton_size(qtext(size_text_cm(whole.box_length)), qtext(size_text_cm(whole.box_width)),
                    qtext(size_text_cm(whole.box_height)));
    opened_ = path;
    show_title();
    if (faulty) prompts_.message(qtext(text::file_open_error));
}

}  // namespace varnel
