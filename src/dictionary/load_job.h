#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/message_sink.h"
#include "dictionary/article_list.h"
#include "dictionary/description_table.h"
#include "dictionary/dict_head.h"
#include "dictionary/load_failure.h"

// What the entry readers of the dictionary file formats share: the job they are given, how it
// ends, and the steps they run on the UI thread (through Synchronize, inline when the reader
// already runs there).

namespace gryvel {

enum class TLoadOutcome {
  kLoaded,     // the entries are read (possibly after a warning about a short body)
  kFailed,     // the load stopped; the job's Failure says why; the caller empties the entries
  kCancelled,  // stopped because *Cancel was set
};

// One load of one dictionary's entries. The pointers borrow from the dictionary, which outlives
// the load. Thread safety: a reader may run on a loader thread; it then writes only *Entries,
// *Descriptions and *Position, and reaches everything else through Synchronize.
struct TLoadJob {
  std::string FileName;                   // native; named in warnings
  TDictHead Head;                         // as the header reader found it (Count, FileSize)
  TArticleList* Entries = nullptr;        // filled; emptied and reserved first on the UI thread
  TDescriptions* Descriptions = nullptr;  // emptied; version 1 fills it
  std::atomic<std::int32_t>* Position = nullptr;  // optional: entries read so far
  const std::atomic<bool>* Cancel = nullptr;      // optional: checked before every entry
  // Optional; runs on the UI thread with the percent of the file read and the bytes read.
  std::function<void(std::uint8_t percent, std::uint64_t loaded)> Progress;
  // Optional; the first failure of the load is recorded here (by the thread that reads).
  TLoadFailure* Failure = nullptr;
};

// Shows `text` in a message box of `kind` from any thread.
void ShowLoadMessage(std::string_view text, TMessageKind kind = TMessageKind::Information);

// Shows `text`, something the load goes on after, as "<file>: <text>" from any thread.
void ShowLoadWarning(const TLoadJob& job, std::string_view text);

// Records the failure (`problem`, `detail`) in the job unless one is recorded already;
// returns kFailed.
TLoadOutcome FailLoad(const TLoadJob& job, TLoadProblem problem, std::string_view detail,
                      int system_error = 0);

// On the UI thread: empties the job's entries and descriptions and reserves room for
// `capacity` entries (capped below the list's limit).
void ResetEntries(const TLoadJob& job, std::uint64_t capacity);

inline bool IsCancelled(const TLoadJob& job) {
  return job.Cancel != nullptr && job.Cancel->load(std::memory_order_relaxed);
}

// Runs `read` and turns the errors a load can raise (the list's capacity error, lack of memory)
// into the job's failure.
TLoadOutcome CatchLoadErrors(const TLoadJob& job, const std::function<TLoadOutcome()>& read);

// Reports progress each time the units consumed since the last report pass one hundredth of
// `units_total`, as a share of the file size: loaded bytes = units × file size ÷ units_total.
class TProgressMeter {
 public:
  // `overflow_text` is shown once, as a warning, if the percent ever passes 100 (the file grew since its
  // header was read); the report then says 100.
  TProgressMeter(const TLoadJob& job, std::uint64_t units_total, std::string overflow_text);

  void Advance(std::uint64_t units) {
    pending_ += units;
    if (pending_ > step_) Report();
  }

 private:
  void Report();

  const TLoadJob& job_;
  std::uint64_t units_total_;
  std::uint64_t step_;
  std::uint64_t pending_ = 0;
  std::uint64_t consumed_ = 0;
  std::string overflow_text_;
  bool overflow_shown_ = false;
};

}  // namespace gryvel
