#include "shell/ini_store.h"

#include <algorithm>
#include <charconv>

#include "common/ascii_case.h"

namespace gryvel {

namespace {

constexpr std::size_t kNone = std::string::npos;

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == kNone) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The name of a section header line "[Name]"; nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == kNone) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct TKeyLine {
  std::string_view Key;
  std::string_view Value;
};

// The key and value of a line "Key=Value"; nothing for any other line.
std::optional<TKeyLine> KeyLine(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == kNone || SectionName(line)) return std::nullopt;
  const std::string_view key = Trim(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return TKeyLine{key, Trim(line.substr(equals + 1))};
}

bool Blank(std::string_view line) {
  return Trim(line).empty();
}

std::string KeyValueLine(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append("=");
  for (const char c : value) line += c == '\r' || c == '\n' ? ' ' : c;
  return line;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  // from_chars takes a minus sign but not a plus sign.
  const bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (plus && (text.empty() || text.front() < '0' || text.front() > '9')) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

TIniStore::TIniStore(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    FLines.emplace_back(line);
    text.remove_prefix(end == kNone ? text.size() : end + 1);
  }
}

std::string TIniStore::Text() const {
  std::string text;
  for (const std::string& line : FLines) text.append(line).append("\r\n");
  return text;
}

TIniStore::TSectionRange TIniStore::FindSection(std::string_view section) const {
  std::size_t i = 0;
  while (i < FLines.size()) {
    const auto name = SectionName(FLines[i]);
    if (name && EqualIgnoringAsciiCase(*name, section)) break;
    ++i;
  }
  if (i == FLines.size()) return {kNone, kNone};
  std::size_t end = i + 1;
  while (end < FLines.size() && !SectionName(FLines[end])) ++end;
  return {i, end};
}

std::size_t TIniStore::FindKey(const TSectionRange& range, std::string_view key) const {
  if (range.Header == kNone) return kNone;
  for (std::size_t i = range.Header + 1; i < range.End; ++i) {
    const auto line = KeyLine(FLines[i]);
    if (line && EqualIgnoringAsciiCase(line->Key, key)) return i;
  }
  return kNone;
}

std::optional<std::string> TIniStore::Value(std::string_view section, std::string_view key) const {
  const std::size_t line = FindKey(FindSection(section), key);
  if (line == kNone) return std::nullopt;
  return std::string(KeyLine(FLines[line])->Value);
}

std::string TIniStore::ReadString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
  return Value(section, key).value_or(std::string(fallback));
}

std::int32_t TIniStore::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t fallback) const {
  const std::optional<std::string> value = Value(section, key);
  if (!value) return fallback;
  return ParseInteger(*value).value_or(fallback);
}

bool TIniStore::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniStore::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
  const TSectionRange range = FindSection(section);
  if (range.Header == kNone) {
    // A new section is set off from the one before by an empty line.
    if (!FLines.empty() && !Blank(FLines.back())) FLines.emplace_back();
    FLines.push_back("[" + std::string(section) + "]");
    FLines.push_back(KeyValueLine(key, value));
    return;
  }
  const std::size_t line = FindKey(range, key);
  if (line != kNone) {
    FLines[line] = KeyValueLine(key, value);
    return;
  }
  // After the section's last line that is not blank, so that the empty lines before the next
  // section stay where they are.
  std::size_t at = range.End;
  while (at > range.Header + 1 && Blank(FLines[at - 1])) --at;
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), KeyValueLine(key, value));
}

void TIniStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniStore::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniStore::ClearSection(std::string_view section) {
  const TSectionRange range = FindSection(section);
  if (range.Header == kNone) return;
  const auto first = FLines.begin() + static_cast<std::ptrdiff_t>(range.Header + 1);
  const auto end = FLines.begin() + static_cast<std::ptrdiff_t>(range.End);
  FLines.erase(
      std::remove_if(first, end, [](const std::string& line) { return KeyLine(line).has_value(); }),
      end);
}

std::vector<std::int32_t> TIniStore::NumberedKeys(std::string_view section, std::string_view prefix,
                                                  std::int32_t last) const {
  std::vector<std::int32_t> numbers;
  const TSectionRange range = FindSection(section);
  if (range.Header == kNone) return numbers;
  for (std::size_t i = range.Header + 1; i < range.End; ++i) {
    const auto line = KeyLine(FLines[i]);
    if (!line || line->Key.size() <= prefix.size() ||
        !EqualIgnoringAsciiCase(line->Key.substr(0, prefix.size()), prefix))
      continue;
    const std::string_view digits = line->Key.substr(prefix.size());
    if (digits.front() < '1' || digits.front() > '9') continue;  // no sign, no leading zero
    const std::optional<std::int32_t> n = ParseInteger(digits);
    if (n && *n <= last) numbers.push_back(*n);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

}  // namespace gryvel
