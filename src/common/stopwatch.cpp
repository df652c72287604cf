#include "common/stopwatch.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace gryvel {

namespace {

using TClock = std::chrono::steady_clock;

struct TStopwatchRecord {
  std::string Name;
  TClock::time_point StartTime;
  TClock::time_point StopTime;
  double ElapsedSeconds = 0;
  double AccumulatedSeconds = 0;
};

// A handful of names, so a linear search beats any map.
struct TStopwatchTable {
  std::mutex Mutex;
  std::vector<TStopwatchRecord> Records;  // guarded by Mutex
  TStopwatch::TClockFunction Now = &TClock::now;  // guarded by Mutex

  TStopwatchRecord* Find(std::string_view name) {
    auto it = std::find_if(Records.begin(), Records.end(),
                           [&](const TStopwatchRecord& r) { return r.Name == name; });
    return it == Records.end() ? nullptr : &*it;
  }
};

TStopwatchTable& Table() {
  static TStopwatchTable table;
  return table;
}

}  // namespace

void TStopwatch::Start(std::string_view name) {
  TStopwatchTable& table = Table();
  std::lock_guard lock(table.Mutex);
  TStopwatchRecord* record = table.Find(name);
  if (record == nullptr) {
    record = &table.Records.emplace_back();
    record->Name = name;
  }
  // Read the clock last so that the lookup is not timed.
  record->StartTime = table.Now();
}

double TStopwatch::Stop(std::string_view name) {
  TStopwatchTable& table = Table();
  std::lock_guard lock(table.Mutex);
  // Read under the lock, so a Start from another thread cannot land after it.
  const TClock::time_point now = table.Now();
  TStopwatchRecord* record = table.Find(name);
  if (record == nullptr) return 0;
  record->StopTime = now;
  record->ElapsedSeconds =
      std::chrono::duration<double>(now - record->StartTime).count() + record->AccumulatedSeconds;
  record->AccumulatedSeconds = 0;
  return record->ElapsedSeconds;
}

double TStopwatch::Elapsed(std::string_view name) {
  TStopwatchTable& table = Table();
  std::lock_guard lock(table.Mutex);
  const TStopwatchRecord* record = table.Find(name);
  return record == nullptr ? 0 : record->ElapsedSeconds;
}

void TStopwatch::Reset() {
  TStopwatchTable& table = Table();
  std::lock_guard lock(table.Mutex);
  table.Records.clear();
}

void TStopwatch::SetClock(TClockFunction now) {
  TStopwatchTable& table = Table();
  std::lock_guard lock(table.Mutex);
  table.Now = now != nullptr ? now : &TClock::now;
}

}  // namespace gryvel
