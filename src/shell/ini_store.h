#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a settings (INI) file: sections that start with a line "[Name]", values on lines
// "Key=Value". The text is held as its lines, so that whatever the program does not know or
// cannot parse (comments, unknown keys, malformed lines) is written back unchanged.

namespace gryvel {

// Names of sections and keys compare without regard to ASCII case. Only the first section of a
// name counts, and within it the first line of a key; spaces and tabs around names and values
// are not part of them. A line "Key=Value" before the first section belongs to no section.
// Texts are code page 1251 bytes. Not thread-safe.
class TIniStore {
 public:
  TIniStore() = default;
  // Takes the bytes of a file; lines end in LF or CR LF. Never fails.
  explicit TIniStore(std::string_view text);

  // The bytes of the file: every line ended by CR LF.
  std::string Text() const;
  bool Empty() const { return FLines.empty(); }

  // The value of `key` in `section`, possibly empty; nothing when the key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // The value, or `fallback` when the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // The value as a decimal integer, or `fallback` when it is missing, empty or not a number.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  // An integer read with fallback 1 or 0; anything but 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Replaces the key's value in place, or appends the key to its section, appending the
  // section at the end when it is missing. Line breaks in `value` become spaces, so a value
  // can never start a line of its own.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  // Writes "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Removes every key of `section`; its header, and any line that is no key, stay where they
  // are, so the keys written next stand in the same place. Nothing when it is missing.
  void ClearSection(std::string_view section);

  // The numbers n from 1 to `last` for which `section` holds the key `prefix` + n (n written
  // in decimal without leading zeros), ascending. Lets a reader of "Count" numbered keys visit
  // only the keys that exist, however large the count.
  std::vector<std::int32_t> NumberedKeys(std::string_view section, std::string_view prefix,
                                         std::int32_t last) const;

 private:
  // The lines of `section` lie between its header and End; Header is npos when it is missing.
  struct TSectionRange {
    std::size_t Header;
    std::size_t End;
  };
  TSectionRange FindSection(std::string_view section) const;
  // The line of `key` within `range`, or npos.
  std::size_t FindKey(const TSectionRange& range, std::string_view key) const;

  std::vector<std::string> FLines;
};

// `text` as a decimal integer with an optional sign, or nothing when it is not one or does not
// fit in 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace gryvel
