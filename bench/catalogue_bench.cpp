// Opening the catalogue and reading it as the lists and dialogs do, on a
// copy of the delivered catalogue.

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "catalogue/catalogue_store.h"
#include "ui/qtext.h"

namespace varnel {
namespace {

class catalogue_fixture : public benchmark::Fixture {
public:
    void SetUp(benchmark::State& state) override {
        dir = std::make_unique<QTemporaryDir>();
        if (!QFile::copy(QString::fromUtf8(VARNEL_DELIVERED_CATALOGUE),
                         dir->filePath(QString::fromLatin1(catalogue_file_name)))) {
            state.SkipWithError("cannot copy the delivered catalogue");
        }
    }
    void TearDown(benchmark::State&) override { dir.reset(); }

    std::unique_ptr<catalogue_store> open(benchmark::State& state) {
        open_result opened = open_catalogue(dir->path());
        if (!opened.store) state.SkipWithError(opened.error.toStdString().c_str());
        return std::move(opened.store);
    }

    std::unique_ptr<QTemporaryDir> dir;
};

// Opening includes checking both tables, as start-up does; the store is
// closed again each time so the connection name can be reused.
BENCHMARK_F(catalogue_fixture, open_catalogue)(benchmark::State& state) {
    for (auto _ : state) {
        auto store = open(state);
        benchmark::DoNotOptimize(store.get());
    }
}

// Start-up: open, then fill both lists.
BENCHMARK_F(catalogue_fixture, open_and_list_both)(benchmark::State& state) {
    for (auto _ : state) {
        auto store = open(state);
        if (!store) break;
        benchmark::DoNotOptimize(store->all_containers());
        benchmark::DoNotOptimize(store->all_cartons());
    }
}

BENCHMARK_F(catalogue_fixture, list_containers)(benchmark::State& state) {
    const auto store = open(state);
    if (!store) return;
    for (auto _ : state) benchmark::DoNotOptimize(store->all_containers());
}

BENCHMARK_F(catalogue_fixture, list_cartons)(benchmark::State& state) {
    const auto store = open(state);
    if (!store) return;
    for (auto _ : state) benchmark::DoNotOptimize(store->all_cartons());
}

// A choice in the container list: one by-name lookup.
BENCHMARK_F(catalogue_fixture, find_container)(benchmark::State& state) {
    const auto store = open(state);
    if (!store) return;
    const QString name = qtext("40尺柜 ");
    for (auto _ : state) benchmark::DoNotOptimize(store->find_container(name));
}

}  // namespace
}  // namespace varnel

BENCHMARK_MAIN();
