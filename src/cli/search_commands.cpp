#include <chrono>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/interrupt_guard.h"
#include "cli/list_style.h"
#include "cli/progress_line.h"
#include "cli/word_output.h"
#include "common/cp1251_utf8.h"
#include "common/format.h"
#include "solvers/result_list.h"
#include "solvers/word_analysis.h"
#include "solvers/word_chain.h"

namespace gryvel::cli {

namespace {

// Shows the merged list in the result source with the filter and the order of the options.
void ShowDictionary(TCliSession& session, const TCliOptions& options) {
  TResultSource& source = session.Source;
  if (options.Filter.Enable) source.SetFilterSettings(options.Filter);
  if (options.Sort == TSortOrder::ByLength) source.SortByLength();
  source.SetIncrementSort(!options.Descending);
}

// Marks the result of the command's search, if it has one.
void Search(TCliSession& session, const TCliOptions& options) {
  TResultSource& source = session.Source;
  switch (options.Command) {
    case TCommand::Crossword:
      source.SearchPattern(TStringSearcher::SearchedPattern(options.Texts[0]));
      break;
    case TCommand::Anagram:
      source.SearchAnagrams(options.Texts[0]);
      break;
    case TCommand::Palindromes:
      source.SearchPalindromes();
      break;
    case TCommand::Meaning:
      source.SearchMeaning(options.Texts[0], options.Texts[1]);
      break;
    default:
      return;
  }
  source.SetFilterActive(true);
}

// The progress line of a chain or an analysis: variants tried, results found, time taken.
class TSearchProgress {
 public:
  void Show(std::uint64_t variants, std::int32_t found) {
    TProgressLine& line = TProgressLine::Stderr();
    if (!line.Enabled()) return;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - FStart;
    line.Show(Cp1251ToUtf8("variants: " + FormatCount(static_cast<std::int64_t>(variants)) +
                           "  found: " + FormatCount(found) +
                           "  time: " + FormatSeconds(elapsed.count())));
  }

 private:
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

// Runs `find` on `search` with progress and Ctrl+C handling, then prints its results.
template <typename TSearch, typename TFind>
int RunSplitSearch(TSearch& search, const TCliOptions& options, TFind find) {
  TSearchProgress progress;
  search.ProcessEvents = [&] { progress.Show(search.Variants(), search.Results().Count()); };
  bool interrupted = false;
  {
    TInterruptGuard guard(search);
    find();
    interrupted = guard.Interrupted();
  }
  TProgressLine::Stderr().Clear();
  const TResultList& results = search.Results();
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(results.Count()));
  for (std::int32_t i = 0; i < results.Count(); ++i) texts.push_back(results.Text(i));
  PrintTexts(texts, ListStyle(options));
  if (!interrupted) return kExitOk;
  PrintError("interrupted; the results found so far are printed");
  return kExitInterrupted;
}

// Prints each found word's evidence line ("reduce ← decrease (hypernym)"), and for
// Described its description after a tab.
void PrintEvidence(TCliSession& session, TListStyle style) {
  std::string out;
  for (const std::int32_t index : session.Source.View()) {
    out += session.Source.MeaningEvidence(index);
    if (style == TListStyle::Described)
      out += "\t" + OneLineText(session.Collection.Description(index));
    out += "\n";
  }
  PrintRaw(out);
}

}  // namespace

int RunWordList(TCliSession& session, const TCliOptions& options) {
  if (int code = OpenDictionaries(session, options); code != kExitOk) return code;
  ShowDictionary(session, options);
  Search(session, options);
  const TListStyle style = ListStyle(options);
  if (options.Why && (style == TListStyle::Lines || style == TListStyle::Described)) {
    PrintEvidence(session, style);
    return kExitOk;
  }
  PrintEntries(session.Collection, session.Source.View(), style);
  return kExitOk;
}

int RunWordSplits(TCliSession& session, const TCliOptions& options) {
  if (int code = OpenDictionaries(session, options); code != kExitOk) return code;
  ShowDictionary(session, options);
  if (options.Command == TCommand::Chain) {
    TWordChain chain(session.Source);
    return RunSplitSearch(chain, options,
                          [&] { chain.Find(options.Texts[0], options.Texts[1], options.Change); });
  }
  TWordAnalysis analysis(session.Source);
  return RunSplitSearch(analysis, options, [&] {
    analysis.Find(options.Texts[0], options.Items.Min, options.Items.Max);
  });
}

}  // namespace gryvel::cli
