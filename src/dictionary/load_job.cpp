#include "dictionary/load_job.h"

#include <algorithm>
#include <new>
#include <utility>

#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "common/synchronize.h"

namespace gryvel {

void ShowLoadMessage(std::string_view text, TMessageKind kind) {
  TMessage message;
  message.Text = text;
  message.Kind = kind;
  Synchronize([&message] { ShowMessage(message); });
}

void ShowLoadWarning(const TLoadJob& job, std::string_view text) {
  ShowLoadMessage(PathForMessage(job.FileName) + ": " + std::string(text), TMessageKind::Warning);
}

TLoadOutcome FailLoad(const TLoadJob& job, TLoadProblem problem, std::string_view detail,
                      int system_error) {
  if (job.Failure != nullptr && !*job.Failure)
    *job.Failure = TLoadFailure{problem, std::string(detail), system_error};
  return TLoadOutcome::kFailed;
}

void ResetEntries(const TLoadJob& job, std::uint64_t capacity) {
  const auto room =
      static_cast<std::int32_t>(std::min<std::uint64_t>(capacity, TArticleList::kMaxCapacity - 1));
  Synchronize([&] {
    job.Entries->Clear();
    job.Descriptions->Clear();
    job.Entries->SetCapacity(room);
  });
}

TLoadOutcome CatchLoadErrors(const TLoadJob& job, const std::function<TLoadOutcome()>& read) {
  try {
    return read();
  } catch (const EListError& e) {
    return FailLoad(job, TLoadProblem::kOther, e.what());
  } catch (const std::bad_alloc&) {
    return FailLoad(job, TLoadProblem::kOutOfMemory,
                    "Not enough memory. Error on reading the dictionary");
  }
}

TProgressMeter::TProgressMeter(const TLoadJob& job, std::uint64_t units_total,
                               std::string overflow_text)
    : job_(job),
      units_total_(units_total),
      step_(units_total / 100),
      overflow_text_(std::move(overflow_text)) {}

void TProgressMeter::Report() {
  consumed_ += pending_;
  pending_ = 0;
  const std::uint64_t file_size = job_.Head.FileSize;
  std::uint64_t loaded = consumed_;
  if (units_total_ == 0)
    loaded = file_size;
  else if (units_total_ != file_size)
    loaded =
        static_cast<std::uint64_t>(static_cast<long double>(consumed_) * file_size / units_total_);
  std::uint64_t percent =
      file_size == 0 ? 100 : loaded / file_size * 100 + loaded % file_size * 100 / file_size;
  if (percent > 100) {
    if (!overflow_shown_) ShowLoadWarning(job_, overflow_text_);
    overflow_shown_ = true;
    percent = 100;
  }
  if (job_.Progress)
    Synchronize([&] { job_.Progress(static_cast<std::uint8_t>(percent), loaded); });
}

}  // namespace gryvel
