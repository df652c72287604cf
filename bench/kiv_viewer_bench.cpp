// The word list drawing: a full repaint of a 1920 x 1080 list of the bundled English dictionary
// with its descriptions; a selection change, which redraws two items; a one-keystroke quick
// search (Locate and the repaint) and a crossword search shown in the list, both over a
// 1,000,000-entry generated dictionary. Runs on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_words.h"
#include "common/synchronize.h"
#include "dictionary/dictionary_collection.h"
#include "gui/widgets/kiv_viewer.h"
#include "gui/widgets/viewer_style.h"
#include "results/entry_marks.h"
#include "results/language.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace gryvel::bench {
namespace {

using gui::TKivViewer;

const char* const kPatterns[] = {"п?бе*л?", "*ing"};

// A collection shown in a full-HD list with the main window's look and part-of-speech texts.
struct World {
  TCharacterManager manager;  // case-insensitive, as the program starts
  TStringSearcher searcher;
  TDictionaryCollection collection;
  TResultSource source;
  TKivViewer viewer;

  World() {
    searcher.SetCharacterManager(&manager);
    collection.SetStringSearcher(&searcher);
  }

  void Show() {
    source.SetDictionary(&collection);
    gui::ApplyMainWindowStyle(viewer);
    viewer.OnGetPartOfSpeechText = [this](TKivViewer&, std::int32_t index, std::string& text) {
      text = EntryPartOfSpeechText(collection, index);
    };
    viewer.SetDataSource(&source);
    viewer.resize(1920, 1080);
    viewer.show();
    QApplication::processEvents();
    viewer.repaint();
  }
};

// The bundled English dictionary, or null when it is not built.
World* English() {
  static World* world = [] () -> World* {
    if (!std::filesystem::exists(GRYVEL_ENGLISH_DICTIONARY)) return nullptr;
    auto* w = new World;
    w->collection.Dictionary(w->collection.AddDictionary(GRYVEL_ENGLISH_DICTIONARY))
        ->EnsureLoaded();
    // Let the loading run finish its last report, which waits for this thread.
    SynchronizeWhile([w] { return w->collection.LoadingCount() > 0; });
    w->collection.Connect(*w->collection.Dictionary(0));
    w->Show();
    // Somewhere in the middle, where words have glosses.
    w->viewer.SetTopIndex(w->source.Count() / 2);
    return w;
  }();
  return world;
}

// 1,000,000 generated words, as the result source's benchmark makes them.
World& Million() {
  static World* world = [] {
    auto* w = new World;
    std::vector<std::string> words = SortedDistinct(GenerateWords(1'050'000));
    words.resize(std::min<std::size_t>(words.size(), 1'000'000));
    FillEntries(w->collection.Dictionary(w->collection.NewDictionary())->Entries(), words);
    w->collection.Connect(*w->collection.Dictionary(0));
    w->Show();
    return w;
  }();
  return *world;
}

// Range 0: composing and copying the whole list; range 1: laying it out anew first, as after
// a change of the view.
void BM_FullRepaintEnglish(benchmark::State& state) {
  World* w = English();
  if (w == nullptr) {
    state.SkipWithError("the bundled English dictionary is not built");
    return;
  }
  w->viewer.ResetDrawnItems();
  for (auto _ : state) {
    if (state.range(0) == 1)
      w->viewer.DataChanged();
    else
      w->viewer.Invalidate();
    w->viewer.repaint();
  }
  state.counters["items_per_repaint"] =
      static_cast<double>(w->viewer.DrawnItems()) / static_cast<double>(state.iterations());
  state.SetLabel(state.range(0) == 1 ? "layout + compose" : "compose");
}

void BM_SelectionChange(benchmark::State& state) {
  World* w = English();
  if (w == nullptr) {
    state.SkipWithError("the bundled English dictionary is not built");
    return;
  }
  const std::int32_t a = w->viewer.Layout().at(2).Index;
  const std::int32_t b = w->viewer.Layout().at(5).Index;
  w->viewer.SetSelItem(a);
  w->viewer.repaint();
  w->viewer.ResetDrawnItems();
  bool flip = false;
  for (auto _ : state) {
    w->viewer.SetSelItem((flip = !flip) ? b : a);
    // The two items' rectangles reach the screen as the event loop paints them.
    QApplication::processEvents();
  }
  state.counters["redrawn_items"] =
      static_cast<double>(w->viewer.DrawnItems()) / static_cast<double>(state.iterations());
}

// Range 0: Locate and the repaint; range 1: Locate alone (selection and layout); range 2: Locate
// and the repaint in a list of the size the main window opens with on a first run.
void BM_QuickSearchMillion(benchmark::State& state) {
  World& w = Million();
  const std::vector<std::string> probes = GenerateWords(1000, 99);
  const QSize full = w.viewer.size();
  if (state.range(0) == 2) w.viewer.resize(250, 250);
  std::size_t next = 0;
  for (auto _ : state) {
    w.source.Locate(probes[next]);
    if (state.range(0) != 1) w.viewer.repaint();
    next = (next + 1) % probes.size();
  }
  w.viewer.resize(full);
  constexpr const char* kLabels[] = {"locate + repaint", "locate", "locate + repaint, 250 x 250"};
  state.SetLabel(kLabels[state.range(0)]);
}

// Composing and copying the whole list of generated words (no descriptions).
void BM_FullRepaintMillion(benchmark::State& state) {
  World& w = Million();
  for (auto _ : state) {
    w.viewer.Invalidate();
    w.viewer.repaint();
  }
}

void BM_CrosswordShownMillion(benchmark::State& state) {
  World& w = Million();
  const std::string pattern = Cp(kPatterns[state.range(0)]);
  std::int32_t found = 0;
  for (auto _ : state) {
    w.source.SearchPattern(pattern);
    w.source.SetFilterActive(true);
    w.viewer.repaint();
    state.PauseTiming();
    found = w.source.Count();
    w.source.SetFilterActive(false);
    w.viewer.repaint();
    state.ResumeTiming();
  }
  state.SetLabel(std::string(kPatterns[state.range(0)]) + ": " + std::to_string(found) + " of " +
                 std::to_string(w.collection.Count()));
  state.SetItemsProcessed(state.iterations() * w.collection.Count());
}

BENCHMARK(BM_FullRepaintEnglish)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectionChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickSearchMillion)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrosswordShownMillion)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gryvel::bench
