// What the loading instructions cost: an optimised plan as a PDF and as a
// spreadsheet (time, and the file's size as a counter), a plan of 31 steps
// as a PDF, and a hand-edited plan of 31 blocks of 32767 cartons a side.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "engine/single/optimise.h"
#include "report/report_pdf.h"
#include "report/report_xlsx.h"

namespace varnel {
namespace {

loading_report report_of(const block_list& blocks, double l, double w, double h) {
    loading_report r;
    r.container = {"40尺柜", {2350, 12032, 2392}, 26730.0};
    report_carton c;
    c.size = {l, w, h};
    c.weight = 12.5;
    r.types = {c};
    r.plan_kind = "优化计算";
    r.date = "2025-01-31";
    add_load(r, "", blocks);
    return r;
}

// 40尺柜 with 53 x 43 x 31 cm cartons: the search's plan has 31 blocks.
const loading_report& optimised() {
    static const loading_report r = [] {
        optimise_request request{{530, 430, 310, 2350, 12032, 2392}};
        request.seconds_cap = 60;
        return report_of(optimise_plan(request).blocks, 530, 430, 310);
    }();
    return r;
}

// 31 steps: walls across the 40尺柜, one a step, of two heights in turn.
const loading_report& thirty_one_steps() {
    static const loading_report r = [] {
        block_list blocks;
        for (int i = 0; i < 31; ++i) {
            blocks.push_back({0, i * 380.0, 0, 1, 5, 1, static_cast<std::int16_t>(4 + i % 3), 0});
        }
        return report_of(blocks, 470, 380, 390);
    }();
    return r;
}

const loading_report& hand_edited() {
    static const loading_report r = [] {
        block_list blocks;
        for (int i = 0; i < 31; ++i) {
            blocks.push_back({0, 0, 0, 1, 32767, 32767, 32767, 0});
        }
        return report_of(blocks, 0.01, 0.01, 0.01);
    }();
    return r;
}

template <typename Write>
void write(benchmark::State& state, const loading_report& report, Write write_file) {
    state.counters["blocks"] = static_cast<double>(report.loads.front().blocks.size());
    for (auto _ : state) {
        const std::optional<QByteArray> bytes = write_file(report);
        if (!bytes) state.SkipWithError("not written");
        state.counters["bytes"] = bytes ? static_cast<double>(bytes->size()) : 0;
    }
}

const auto pdf = [](const loading_report& r) { return report_pdf(r, paper_size::a4); };

void optimised_pdf(benchmark::State& s) { write(s, optimised(), pdf); }
void optimised_xlsx(benchmark::State& s) { write(s, optimised(), report_xlsx); }
void thirty_one_steps_pdf(benchmark::State& s) { write(s, thirty_one_steps(), pdf); }
void hand_edited_pdf(benchmark::State& s) { write(s, hand_edited(), pdf); }

BENCHMARK(optimised_pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(optimised_xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(thirty_one_steps_pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(hand_edited_pdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
    // Fonts need Qt Gui; the report draws nothing on a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
