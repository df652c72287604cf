// The statistics window over a 1,000,000-entry generated dictionary, on the offscreen
// platform: the "all letters" computation alone, and the window's recompute with the chart
// filled and redrawn, as after a change of the main window's list.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGraphicsView>
#include <algorithm>
#include <string>
#include <vector>

#include "bench_words.h"
#include "gui/statistics/stat_chart.h"
#include "gui/statistics/stat_form.h"
#include "results/statistics.h"
#include "shell/session.h"

namespace gryvel::bench {
namespace {

struct World {
  TSession session;
  gui::TStatForm form{session.Source, session.Collection};

  World() {
    std::vector<std::string> words = SortedDistinct(GenerateWords(1'050'000));
    words.resize(std::min<std::size_t>(words.size(), 1'000'000));
    TDictionaryCollection& collection = session.Collection;
    FillEntries(collection.Dictionary(collection.NewDictionary())->Entries(), words);
    collection.Connect(*collection.Dictionary(0));
    form.resize(900, 600);
    form.show();
    QApplication::processEvents();
  }
};

World& TheWorld() {
  static World* world = new World;
  return *world;
}

void BM_AllLettersComputation(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    TStatistic statistic = ComputeStatistic(TStatisticKind::AllLetters, w.session.Source.View(),
                                            w.session.Collection.Items());
    benchmark::DoNotOptimize(statistic.Records.data());
  }
  state.SetItemsProcessed(state.iterations() * w.session.Source.Count());
}

// Range 0: recompute and fill; range 1: and redraw the chart on the screen's image.
void BM_AllLettersWindow(benchmark::State& state) {
  World& w = TheWorld();
  auto* chart = w.form.findChild<gui::TStatChart*>();
  auto* combo = w.form.findChild<QWidget*>("ComboBox1");
  combo->setProperty("currentIndex", 3);
  for (auto _ : state) {
    w.form.Recompute();
    if (state.range(0) == 1) chart->viewport()->repaint();
  }
  state.counters["categories"] = static_cast<double>(chart->Categories().size());
  state.SetLabel(state.range(0) == 1 ? "recompute + fill + redraw" : "recompute + fill");
  state.SetItemsProcessed(state.iterations() * w.session.Source.Count());
}

BENCHMARK(BM_AllLettersComputation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllLettersWindow)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gryvel::bench
