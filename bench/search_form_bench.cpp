// Word chains and analyses run from the search dialog, against the same searches run straight
// on the engine in the same process: the dialog adds its worker thread, the hand-over of the
// results, the counters and the list. Also the longest gap between two handled events of the
// dialog while an analysis finds 1,000,000 splits (counter max_gap_ms).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <unistd.h>

#include "bench_words.h"
#include "common/synchronize.h"
#include "gui/search_dialog/search_form.h"
#include "gui/text.h"
#include "shell/session.h"
#include "solvers/word_analysis.h"
#include "solvers/word_chain.h"

namespace gryvel::bench {
namespace {

struct World {
  TSession session;
  std::vector<std::string> words;
  std::unique_ptr<gui::TSearchForm> form;

  explicit World(std::vector<std::string> sorted_words) : words(std::move(sorted_words)) {
    TDictionaryCollection& c = session.Collection;
    FillEntries(c.Dictionary(c.NewDictionary())->Entries(), words);
    Finish();
  }
  explicit World(const std::string& file) {
    SetUiThread();
    TDictionaryCollection& c = session.Collection;
    c.Dictionary(c.AddDictionary(file))->EnsureLoaded();
    for (const TArticleItem* item : c.Dictionary(0)->Entries().Items()) words.push_back(item->Word);
    Finish();
  }
  void Finish() {
    session.Collection.Connect(*session.Collection.Dictionary(0));
    form = std::make_unique<gui::TSearchForm>(session);
  }
  const std::string& WordOfLength(std::size_t length, std::size_t k) const {
    for (const std::string& word : words)
      if (word.size() == length && k-- == 0) return word;
    return words.front();
  }
  template <typename T>
  T* Child(const char* name) const {
    return form->findChild<T*>(name);
  }
  // Runs the search of the shown page from the dialog's Find to its end, while `during` is
  // called at every pass of the event loop.
  void RunDialog(const std::function<void()>& during = {}) {
    Child<QPushButton>("btnFind2")->click();
    while (form->Searching()) {
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      if (during) during();
    }
  }
  void OpenChain(const std::string& start, const std::string& final) {
    form->Open(gui::TSearchPage::Chain, {}, false, {});
    Child<QLineEdit>("FirstWord")->setText(gui::ToQString(start));
    Child<QLineEdit>("LastWord")->setText(gui::ToQString(final));
    Child<QSpinBox>("Edit1")->setValue(1);
  }
  void OpenAnalysis(const std::string& word) {
    form->Open(gui::TSearchPage::Analysis, {}, false, {});
    Child<QLineEdit>("edAnalyze")->setText(gui::ToQString(word));
  }
};

// Never destroyed: the dialog inside must not outlive the application object.
World& Generated() {
  static World* world = new World(SortedDistinct(GenerateWords(1'000'000)));
  return *world;
}

World* Bundled() {
  static World* world = std::filesystem::exists(GRYVEL_BUNDLED_DICTIONARY)
                            ? new World(std::string(GRYVEL_BUNDLED_DICTIONARY))
                            : nullptr;
  return world;
}

// range(0): 0 the engine alone, 1 the dialog.
void Chain(benchmark::State& state, World& w, const std::string& start, const std::string& final) {
  const bool dialog = state.range(0) == 1;
  TWordChain chain(w.session.Source);
  if (dialog) w.OpenChain(start, final);
  for (auto _ : state) {
    if (dialog) {
      w.RunDialog();
    } else {
      chain.Find(start, final, 1);
    }
  }
  state.counters["chains"] = dialog ? w.form->ResultCount() : chain.Results().Count();
  state.SetLabel(dialog ? "dialog" : "engine");
  if (dialog) w.form->reject();
}

void Analysis(benchmark::State& state, World& w, const std::function<std::string()>& word) {
  const bool dialog = state.range(0) == 1;
  TWordAnalysis analysis(w.session.Source);
  for (auto _ : state) {
    const std::string next = word();
    if (dialog) {
      state.PauseTiming();
      w.OpenAnalysis(next);
      state.ResumeTiming();
      w.RunDialog();
    } else {
      analysis.Find(next);
    }
  }
  state.counters["splits"] = dialog ? w.form->ResultCount() : analysis.Results().Count();
  state.SetLabel(dialog ? "dialog" : "engine");
  if (dialog) w.form->reject();
}

void BM_ChainGenerated(benchmark::State& state) {
  World& w = Generated();
  const auto length = static_cast<std::size_t>(state.range(1));
  Chain(state, w, w.WordOfLength(length, 10), w.WordOfLength(length, 5000));
}

void BM_AnalysisGenerated(benchmark::State& state) {
  World& w = Generated();
  const auto length = static_cast<std::size_t>(state.range(1));
  std::size_t next = 0;
  Analysis(state, w, [&] { return w.WordOfLength(length, next++ % 20); });
}

void BM_ChainBundled(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  Chain(state, *w, Cp("кот"), Cp("пёс"));
}

void BM_AnalysisBundled(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  const char* const words[] = {"подстановка", "колокольчики"};
  const std::string word = Cp(words[state.range(1)]);
  Analysis(state, *w, [&] { return word; });
}

// The longest pause of the dialog's event loop while an analysis finds its first 1,000,000
// splits (then it is stopped), measured by a 1 ms timer.
void BM_ResponsiveWithMillionSplits(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  double max_gap = 0;
  std::int32_t found = 0;
  for (auto _ : state) {
    w->OpenAnalysis(Cp("достопримечательность"));
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      // Only gaps that end while the search runs: the list's last rebuild comes after it.
      if (w->form->Searching()) max_gap = std::max(max_gap, (now - last) / 1e6);
      last = now;
    });
    auto* stop = w->Child<QPushButton>("btnStop");
    clock.start();
    probe.start();
    w->RunDialog([&] {
      if (w->form->FoundCount() >= 1'000'000 && stop->isEnabled()) stop->click();
    });
    probe.stop();
    found = w->form->FoundCount();
  }
  state.counters["max_gap_ms"] = max_gap;
  state.counters["splits"] = found;
  w->form->reject();
}

// Resident bytes of the process.
double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// An analysis that finds 10,000,000 splits, then Stop: the time from the click to the next
// event the dialog handles (stop_ms), the resident memory each split takes (bytes_per_split),
// and what stays of it once the dialog is closed (kept_mb).
void BM_StopWithTenMillionSplits(benchmark::State& state) {
  World* w = Bundled();
  if (w == nullptr) return state.SkipWithError("the bundled dictionary is not built");
  double stop_ms = 0, per_split = 0, kept_mb = 0;
  std::int32_t found = 0;
  for (auto _ : state) {
    const double before = ResidentBytes();
    w->OpenAnalysis(Cp("достопримечательность"));
    auto* stop = w->Child<QPushButton>("btnStop");
    QElapsedTimer clock;
    w->RunDialog([&] {
      if (w->form->FoundCount() < 10'000'000 || !stop->isEnabled()) return;
      per_split = (ResidentBytes() - before) / w->form->FoundCount();
      clock.start();
      stop->click();
    });
    // The search has ended; the next event handled after it.
    bool handled = false;
    QTimer::singleShot(0, [&] {
      stop_ms = clock.nsecsElapsed() / 1e6;
      handled = true;
    });
    while (!handled) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    found = w->form->FoundCount();
    w->form->reject();
    kept_mb = (ResidentBytes() - before) / 1e6;
  }
  state.counters["stop_ms"] = stop_ms;
  state.counters["bytes_per_split"] = per_split;
  state.counters["kept_mb"] = kept_mb;
  state.counters["splits"] = found;
}

BENCHMARK(BM_ChainGenerated)->ArgsProduct({{0, 1}, {3, 4}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AnalysisGenerated)->ArgsProduct({{0, 1}, {10, 11, 12}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChainBundled)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AnalysisBundled)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResponsiveWithMillionSplits)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StopWithTenMillionSplits)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace gryvel::bench
