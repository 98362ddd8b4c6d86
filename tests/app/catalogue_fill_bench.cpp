// Time from the catalogue pane's creation (which starts the builder thread) until all 6,480 items
// are in the tree widget, under whatever Qt platform the environment selects.
#include "app/catalogue_view.h"
#include "library/mydoc.h"
#include "test_ui.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

int count_items(QTreeWidgetItem* item) {
    int n = 1;
    for (int i = 0; i < item->childCount(); ++i) {
        n += count_items(item->child(i));
    }
    return n;
}

void catalogue_fill(benchmark::State& state) {
    QTemporaryDir folder;
    veso::test::test_ui ui;
    veso::mydoc document(ui, nullptr, std::filesystem::path(folder.path().toStdString()));
    int items = 0;
    for (auto _ : state) {
        veso::textsmenu_view view(document);
        view.resize(200, 600);
        view.show();
        while (!view.catalogue().built()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        view.control().flush_pending();
        state.PauseTiming();
        items = 0;
        for (int i = 0; i < view.topLevelItemCount(); ++i) {
            items += count_items(view.topLevelItem(i));
        }
        state.ResumeTiming();
    }
    state.counters["items"] = items;
}
BENCHMARK(catalogue_fill)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
