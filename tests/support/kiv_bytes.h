#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Hand-made dictionary file bytes for reader tests, built independently of the engine's writer.

namespace gryvel::testing {

// Appends little-endian fields to a byte string.
class Bytes {
 public:
  Bytes& U8(std::uint8_t v);
  Bytes& U16(std::uint16_t v);
  Bytes& U32(std::uint32_t v);
  Bytes& Raw(std::string_view bytes);
  // A u32 length, then the bytes.
  Bytes& Text32(std::string_view text);
  // A u16 length, then the bytes.
  Bytes& Text16(std::string_view text);

  const std::string& str() const { return bytes_; }
  std::vector<std::uint8_t> vec() const { return {bytes_.begin(), bytes_.end()}; }

 private:
  std::string bytes_;
};

struct HeadTexts {
  std::string Title, Comments, Author, Email, Web;
};

// A version-2 header with the reserved block that follows it.
std::string V2Header(std::uint32_t count, const HeadTexts& texts = {},
                     std::string_view language = "RUS", std::uint8_t flags = 0);

// A version-2 record; `number` is flags B (0x20 singular, 0x40 plural).
std::string V2Record(std::string_view word, std::optional<std::string_view> description = {},
                     std::uint16_t parts = 0, std::uint8_t number = 0);

// A version-1 record.
std::string V1Record(std::string_view word, std::optional<std::string_view> description = {});

// A version-1 file holding `body` (compressed with the test encoder when `compressed`).
std::string V1File(std::uint32_t count, std::string_view body, bool compressed,
                   const HeadTexts& texts = {});

}  // namespace gryvel::testing
