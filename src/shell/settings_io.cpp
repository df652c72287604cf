#include "shell/settings_io.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

// The length of the UTF-8 sequence that starts with `lead`; 0 when no sequence starts so.
int SequenceLength(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // a continuation byte or an overlong form
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// Whether `text` is UTF-8 holding at least one multi-byte character. Code page 1251 text with
// Cyrillic letters practically never is.
bool IsMultiByteUtf8(std::string_view text) {
  bool multi_byte = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto length =
        static_cast<std::size_t>(SequenceLength(static_cast<std::uint8_t>(text[i])));
    if (length == 0 || length > text.size() - i) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<std::uint8_t>(text[i + k]) & 0xC0) != 0x80) return false;
    multi_byte = multi_byte || length > 1;
    i += length;
  }
  return multi_byte;
}

}  // namespace

void TSectionReader::Bool(std::string_view key, bool& field) const {
  field = FStore.ReadBool(FSection, key, field);
}

void TSectionReader::Int(std::string_view key, std::int32_t& field) const {
  field = FStore.ReadInteger(FSection, key, field);
}

void TSectionReader::Text(std::string_view key, std::string& field) const {
  if (std::optional<std::string> value = FStore.Value(FSection, key)) field = std::move(*value);
}

void TSectionReader::Path(std::string_view key, std::string& field) const {
  if (const std::optional<std::string> value = FStore.Value(FSection, key))
    field = PathFromSettings(*value);
}

void TSectionWriter::Path(std::string_view key, std::string_view native) {
  FStore.WriteString(FSection, key, PathToSettings(native));
}

std::string PathToSettings(std::string_view native) {
  std::string stored;
  if (Utf8ToCp1251(native, &stored).ok()) return stored;
  return std::string(native);
}

std::string PathFromSettings(std::string_view stored) {
  if (IsMultiByteUtf8(stored)) return std::string(stored);
  return Cp1251ToUtf8(stored);
}

}  // namespace gryvel
