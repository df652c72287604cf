#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/cp1251_case.h"
#include "dictionary/article_list.h"
#include "search/letter_maps.h"

// Word statistics over a view of entries, as plain tables a chart can show: how many words
// have each length, start with each letter, contain each letter, and how often each letter
// occurs.
//
// Not thread-safe: the user-interface thread only (the letter statistics read MatchMap).

namespace gryvel {

enum class TStatisticKind { Length, FirstLetters, UniqueLetters, AllLetters };

// How the records are ranked on the chart's horizontal axis; the values are the statistics
// window's ordering modes.
enum class TStatOrder { ByCategory = 0, ByValueDescending = 1, ByValueAscending = 2 };

// One category.
struct TStatRecord {
  std::int32_t Order = 0;  // horizontal position on the chart
  std::int32_t Count = 0;  // words (or letters) in the category; never 0 in a computed table
  std::string Label;       // a length in decimal, or one code page 1251 character
  bool Used = false;       // scratch mark of the ordering by value

  bool operator==(const TStatRecord&) const = default;
};

// The records are kept in category order: lengths ascending, letters in code order except that
// ё follows е and Ё follows Е. Order is a permutation of 0 .. Records.size() - 1.
struct TStatistic {
  std::vector<TStatRecord> Records;
  bool IsLength = false;  // the length statistic (category axis: length, else letter)
};

// One point of a chart series.
struct TStatPoint {
  std::int32_t X = 0;  // the record's Order
  std::int32_t Y = 0;  // the record's Count
  std::string Label;   // the record's Label
  double Percent = 0;  // Y as a percentage of the total of all counts

  bool operator==(const TStatPoint&) const = default;
};

// Counts the words of `items[index]` for every index of `view`, in one pass. Lengths are in
// bytes; the letter statistics count each byte through `map`, and a word's first letter is
// its first byte (empty words have none). Categories that count nothing are left out; the
// result is ordered by category. An empty view gives no records. Counts past the 32-bit range
// are held at its maximum.
// REQUIRES: every index of `view` is in 0 .. items.size() - 1 and its item is not null.
TStatistic ComputeStatistic(TStatisticKind kind, std::span<const std::int32_t> view,
                            std::span<TArticleItem* const> items, const TByteMap& map = MatchMap());

// Sets Order of every record. By value descending ranks the largest count first and keeps
// category order between equal counts; ascending is the exact reverse of descending.
void ApplyOrder(TStatistic& statistic, TStatOrder order);

// The sum of all counts (the base of "percent of total").
std::int64_t TotalCount(const TStatistic& statistic);

// One point per record (x = Order, y = Count, label = Label), sorted by x.
std::vector<TStatPoint> ChartPoints(const TStatistic& statistic);

}  // namespace gryvel
