#include "tools/planner_report.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <ostream>

#include "engine/loading_steps.h"
#include "engine/single/partial_load.h"
#include "plan/messages.h"
#include "plan/plan_file.h"
#include "report/messages.h"
#include "report/report_file.h"
#include "tools/messages.h"
#include "tools/planner_cli.h"

namespace varnel {

const char* const report_usage =
    "  --report FILE       also write the loading instructions: FILE.pdf a printable\n"
    "                      report, step by step with pictures; FILE.xlsx the steps\n"
    "                      as a spreadsheet (with --quantity: the last container)\n"
    "  --paper A4|Letter   the report's paper (A4 unless given)\n";

namespace {

bool ends_with(const std::string& name, const char* suffix) {
    const QString n = QString::fromStdString(name);
    return n.endsWith(QString::fromLatin1(suffix), Qt::CaseInsensitive);
}

bool is_letter(const std::optional<std::string>& paper) {
    return paper && QString::fromStdString(*paper).compare(QStringLiteral("letter"),
                                                           Qt::CaseInsensitive) == 0;
}

}  // namespace

bool take_report_argument(const std::vector<std::string>& args, std::size_t& i,
                          report_arguments& r) {
    std::optional<std::string>* value = nullptr;
    if (args[i] == "--report") value = &r.file;
    if (args[i] == "--paper") value = &r.paper;
    if (value == nullptr || *value || i + 1 >= args.size()) return false;
    *value = args[++i];
    return true;
}

std::optional<std::string> check_report_arguments(const report_arguments& r) {
    if (!r.file) return std::nullopt;
    const QByteArray bytes = QByteArray::fromStdString(*r.file);
    if (QFile::encodeName(QFile::decodeName(bytes)) != bytes) {
        return std::string(text::bad_file_name) + ": " + *r.file;
    }
    if (!ends_with(*r.file, ".pdf") && !ends_with(*r.file, ".xlsx")) {
        return std::string(text::report_name_wrong) + ": " + *r.file;
    }
    if (r.paper && !is_letter(r.paper) &&
        QString::fromStdString(*r.paper).compare(QStringLiteral("a4"), Qt::CaseInsensitive) != 0) {
        return std::string(text::paper_wrong) + ": " + *r.paper;
    }
    return std::nullopt;
}

loading_report planner_report(const planner_plan& plan) {
    const calculation_input& s = plan.sizes;
    loading_report r;
    r.container = {plan.container_name, container_axes(s), plan.payload};
    report_carton carton;
    carton.size = {s.carton_length, s.carton_width, s.carton_height};
    if (plan.order && plan.order->carton_weight) carton.weight = *plan.order->carton_weight;
    r.types = {carton};
    // A weight given for the order gives the load a centre to judge.
    if (carton.weight) r.balance_share = default_balance_share;
    r.plan_kind = plan.optimised ? text::kind_optimised : text::kind_standard;
    r.plan_name = QFileInfo(QString::fromStdString(plan.plan_file)).fileName().toStdString();
    r.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    block_list blocks = plan.blocks;
    if (plan.shipped) {
        const box_size size{s.carton_length, s.carton_width, s.carton_height};
        blocks = partial_load(blocks, size, plan.shipped->last_cartons);
        r.plan_kind = text::kind_shipment;
        r.order_containers = plan.shipped->containers;
        r.notes.emplace_back(text::last_container_note);
    }
    add_load(r, {}, std::move(blocks));
    return r;
}

std::optional<int> write_report(const report_arguments& r, const loading_report& report,
                                std::ostream& err) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(*r.file));
    const std::optional<QByteArray> bytes =
        report_file(report, path, is_letter(r.paper) ? paper_size::letter : paper_size::a4);
    const std::optional<QString> reason =
        bytes
            ? save_file_atomically(path, std::string_view(bytes->constData(),
                                                          static_cast<std::size_t>(bytes->size())))
            : std::optional<QString>(QString::fromUtf8(text::report_not_made));
    if (!reason) return std::nullopt;
    err << text::file_save_error << ": " << *r.file << ": " << reason->toStdString() << '\n';
    return exit_write_failed;
}

}  // namespace varnel
