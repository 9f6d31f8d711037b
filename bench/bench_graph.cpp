// The history window's line graph with 10,000 records, drawn offscreen: what a teacher waits for
// when scrolling, zooming or switching a curve on.

#include "history/RecItems.h"
#include "ui/history/GLItems.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QStandardPaths>

#include <memory>

namespace {

constexpr int kRecords = 10000;

// Titles as teachers give them: English, Japanese, or both, of varying length.
QString titleOf(int i) {
    static const char* const titles[] = {
        "The Fox and the Grapes", "中学英語 Unit %1 ポスター発表", "Letter to a Host Family %1",
        "News: City Marathon", "高校英語 Lesson %1", "A Speech for Graduation Day",
        "Short Story: The Lighthouse Keeper's Daughter, chapter %1"};
    return QString::fromUtf8(titles[i % 7]).replace(QStringLiteral("%1"), QString::number(i));
}

pelmar::TRecItems& records() {
    static pelmar::TRecItems items;
    if (items.Count() == 0) {
        for (int i = 0; i < kRecords; ++i) {
            pelmar::TRecItem* item = items.Add(titleOf(i), QStringLiteral("k%1").arg(i));
            const int words = 80 + i % 400;
            item->Values = {3 + i % 20, 5 + i % 25, 12 + i % 50, words, words * 3 / 2,
                            words * 2 / 3, 2 + i % 30, words * 2, words * 4};
            for (int f = 0; f < 11; ++f)
                item->Values[static_cast<std::size_t>(9 + f)] = 20 + (i * 7 + f * 13) % 110;
            item->Style = static_cast<std::uint8_t>(i < 450 ? 1 + i % 7 : 0);
        }
        items.SampleLevelCounts = {200, 150, 100};
    }
    return items;
}

std::unique_ptr<pelmar::TGLItems> g_graph;

// A wide window's graph, every formula on and three auxiliary curves, scrolled to the newest.
pelmar::TGLItems& graph() {
    if (!g_graph) {
        g_graph = std::make_unique<pelmar::TGLItems>();
        g_graph->setItems(&records());
        for (int measure : {22, 26, 28})
            g_graph->setAuxiliary(measure, true);
        g_graph->resize(1600, 700);
        g_graph->show();
        QCoreApplication::processEvents();
    }
    return *g_graph;
}

void columns(benchmark::State& state) {
    state.counters["columns"] = graph().plane().Visible;
    state.counters["records"] = graph().plane().Count;
}

// A full drawing of the columns shown, at the narrowest step (most columns) and the default.
void BM_FullDraw(benchmark::State& state) {
    graph().setStepPosition(static_cast<int>(state.range(0)));
    for (auto _ : state)
        graph().draw(false);
    columns(state);
}
BENCHMARK(BM_FullDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A curve switched on or off: the light drawing keeps the titles.
void BM_LightDraw(benchmark::State& state) {
    graph().setStepPosition(1);
    for (auto _ : state)
        graph().draw(true);
    columns(state);
}
BENCHMARK(BM_LightDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// Dragging the scroll bar one column at a time: each position is a full drawing.
void BM_Scroll(benchmark::State& state) {
    graph().setStepPosition(1);
    QScrollBar* bar = graph().scrollBar();
    int value = 0;
    for (auto _ : state) {
        value = (value + 1) % (bar->maximum() + 1);
        bar->setValue(value);
    }
    columns(state);
}
BENCHMARK(BM_Scroll)->Unit(benchmark::kMillisecond)->UseRealTime();

// A reload or a sort: the grade range over all records, the scroll bar, then a full drawing.
void BM_Layout(benchmark::State& state) {
    graph().setStepPosition(1);
    for (auto _ : state)
        graph().layoutGraph();
    columns(state);
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_graph.reset();
    return 0;
}
