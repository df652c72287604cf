#include "results/dictd_index.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace gryvel {

namespace {

std::optional<int> Base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return std::nullopt;
}

// Numbers past this are no offset into any text we read.
constexpr std::uint64_t kLargestNumber = std::uint64_t{1} << 48;

// The number `digits` spell, or why they spell none.
std::variant<std::uint64_t, const char*> Base64Number(std::string_view digits) {
  if (digits.empty()) return "a number that is not base 64";
  std::uint64_t value = 0;
  for (const char c : digits) {
    const std::optional<int> digit = Base64Digit(c);
    if (!digit) return "a number that is not base 64";
    if (value >= kLargestNumber) return "a number too large";
    value = value * 64 + static_cast<std::uint64_t>(*digit);
  }
  return value;
}

}  // namespace

TStatus ForEachDictdEntry(std::string_view index, std::string_view entries,
                          const std::function<void(std::string_view, std::string_view)>& visit) {
  std::size_t line_number = 0;
  while (!index.empty()) {
    ++line_number;
    const std::size_t line_end = std::min(index.find('\n'), index.size());
    std::string_view line = index.substr(0, line_end);
    index.remove_prefix(std::min(line_end + 1, index.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;

    const std::size_t first_tab = line.find('\t');
    const std::size_t second_tab =
        first_tab == std::string_view::npos ? first_tab : line.find('\t', first_tab + 1);
    const auto bad = [&](std::string_view what) {
      return TStatus::Error("Line " + std::to_string(line_number) +
                            " of the dictd index: " + std::string(what));
    };
    if (second_tab == std::string_view::npos) return bad("not three fields");
    const auto offset = Base64Number(line.substr(first_tab + 1, second_tab - first_tab - 1));
    const auto length = Base64Number(line.substr(second_tab + 1));
    for (const auto* number : {&offset, &length})
      if (const auto* why = std::get_if<const char*>(number)) return bad(*why);
    const std::uint64_t start = std::get<std::uint64_t>(offset);
    const std::uint64_t size = std::get<std::uint64_t>(length);
    if (start > entries.size() || size > entries.size() - start)
      return bad("an entry past the end of the text");
    visit(line.substr(0, first_tab), entries.substr(start, size));
  }
  return TStatus::Ok();
}

}  // namespace gryvel
