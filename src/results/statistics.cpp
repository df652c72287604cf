#include "results/statistics.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>
#include <string_view>

namespace gryvel {

namespace {

// Counts per category: per length, or per byte code for the letter statistics.
using TCounts = std::vector<std::int64_t>;

constexpr int kCodes = 256;
constexpr std::uint8_t kCapitalIe = 0xC5;  // Е
constexpr std::uint8_t kCapitalIo = 0xA8;  // Ё
constexpr std::uint8_t kSmallIe = 0xE5;    // е
constexpr std::uint8_t kSmallIo = 0xB8;    // ё

// Code order, except that Ё and ё, which the code page puts before the alphabet, follow Е and
// е, where a reader looks for them, whichever letters the table holds.
constexpr std::array<std::uint8_t, kCodes> MakeLetterOrder() {
  std::array<std::uint8_t, kCodes> order{};
  std::size_t n = 0;
  for (int x = 0; x < kCodes; ++x) {
    if (x == kCapitalIo || x == kSmallIo) continue;
    order[n++] = static_cast<std::uint8_t>(x);
    if (x == kCapitalIe) order[n++] = kCapitalIo;
    if (x == kSmallIe) order[n++] = kSmallIo;
  }
  return order;
}

constexpr std::array<std::uint8_t, kCodes> kLetterOrder = MakeLetterOrder();

std::uint8_t Byte(char c) {
  return static_cast<std::uint8_t>(c);
}

// Calls count(word) for the word of every entry of the view, in view order.
template <typename CountWord>
void ForEachWord(std::span<const std::int32_t> view, std::span<TArticleItem* const> items,
                 CountWord count) {
  for (const std::int32_t index : view) {
    assert(index >= 0 && static_cast<std::size_t>(index) < items.size());
    assert(items[index] != nullptr);
    count(std::string_view(items[index]->Word));
  }
}

TCounts CountCategories(TStatisticKind kind, std::span<const std::int32_t> view,
                        std::span<TArticleItem* const> items, const TByteMap& map) {
  TCounts counts(kind == TStatisticKind::Length ? 0 : kCodes);
  switch (kind) {
    case TStatisticKind::Length:
      ForEachWord(view, items, [&](std::string_view word) {
        if (word.size() >= counts.size()) counts.resize(word.size() + 1);
        ++counts[word.size()];
      });
      break;
    case TStatisticKind::FirstLetters:
      ForEachWord(view, items, [&](std::string_view word) {
        if (!word.empty()) ++counts[map[Byte(word.front())]];
      });
      break;
    case TStatisticKind::UniqueLetters: {
      // The number of the word that last counted each letter: no set to clear per word and
      // no branch per letter.
      std::array<std::uint32_t, kCodes> counted_by{};
      std::uint32_t number = 0;
      ForEachWord(view, items, [&](std::string_view word) {
        ++number;
        for (const char c : word) {
          const std::uint8_t x = map[Byte(c)];
          counts[x] += counted_by[x] != number;
          counted_by[x] = number;
        }
      });
      break;
    }
    case TStatisticKind::AllLetters:
      ForEachWord(view, items, [&](std::string_view word) {
        for (const char c : word) ++counts[map[Byte(c)]];
      });
      break;
  }
  return counts;
}

void AddRecord(TStatistic& statistic, std::int64_t count, std::string label) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  TStatRecord record;
  record.Order = static_cast<std::int32_t>(statistic.Records.size());
  record.Count = static_cast<std::int32_t>(std::min(count, kMax));
  record.Label = std::move(label);
  statistic.Records.push_back(std::move(record));
}

// Keeps the categories that counted something, in category order.
TStatistic MakeStatistic(TStatisticKind kind, const TCounts& counts) {
  TStatistic statistic;
  statistic.IsLength = kind == TStatisticKind::Length;
  if (statistic.IsLength) {
    for (std::size_t length = 0; length < counts.size(); ++length)
      if (counts[length] != 0) AddRecord(statistic, counts[length], std::to_string(length));
  } else {
    for (const std::uint8_t code : kLetterOrder)
      if (counts[code] != 0)
        AddRecord(statistic, counts[code], std::string(1, static_cast<char>(code)));
  }
  return statistic;
}

// Repeatedly ranks the unmarked record with the largest count, the first in table order on
// ties. Quadratic, but a table holds at most 256 letters or a few dozen lengths.
void RankByValueDescending(std::vector<TStatRecord>& records) {
  for (TStatRecord& record : records) record.Used = false;
  for (std::size_t rank = 0; rank < records.size(); ++rank) {
    TStatRecord* pick = nullptr;
    for (TStatRecord& record : records)
      if (!record.Used && (pick == nullptr || record.Count > pick->Count)) pick = &record;
    pick->Used = true;
    pick->Order = static_cast<std::int32_t>(rank);
  }
}

}  // namespace

TStatistic ComputeStatistic(TStatisticKind kind, std::span<const std::int32_t> view,
                            std::span<TArticleItem* const> items, const TByteMap& map) {
  return MakeStatistic(kind, CountCategories(kind, view, items, map));
}

void ApplyOrder(TStatistic& statistic, TStatOrder order) {
  std::vector<TStatRecord>& records = statistic.Records;
  const auto last = static_cast<std::int32_t>(records.size()) - 1;
  switch (order) {
    case TStatOrder::ByCategory:
      for (std::size_t i = 0; i < records.size(); ++i)
        records[i].Order = static_cast<std::int32_t>(i);
      break;
    case TStatOrder::ByValueDescending:
      RankByValueDescending(records);
      break;
    case TStatOrder::ByValueAscending:
      RankByValueDescending(records);
      for (TStatRecord& record : records) record.Order = last - record.Order;
      break;
  }
}

std::int64_t TotalCount(const TStatistic& statistic) {
  std::int64_t total = 0;
  for (const TStatRecord& record : statistic.Records) total += record.Count;
  return total;
}

std::vector<TStatPoint> ChartPoints(const TStatistic& statistic) {
  const std::int64_t total = TotalCount(statistic);
  std::vector<TStatPoint> points;
  points.reserve(statistic.Records.size());
  for (const TStatRecord& record : statistic.Records) {
    const double percent = total > 0 ? 100.0 * record.Count / static_cast<double>(total) : 0.0;
    points.push_back({record.Order, record.Count, record.Label, percent});
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const TStatPoint& a, const TStatPoint& b) { return a.X < b.X; });
  return points;
}

}  // namespace gryvel
