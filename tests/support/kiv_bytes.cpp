#include "support/kiv_bytes.h"

#include <vector>

#include "support/lzss_encoder.h"

namespace gryvel::testing {

Bytes& Bytes::U8(std::uint8_t v) {
  bytes_.push_back(static_cast<char>(v));
  return *this;
}

Bytes& Bytes::U16(std::uint16_t v) {
  return U8(v & 0xFF).U8(v >> 8);
}

Bytes& Bytes::U32(std::uint32_t v) {
  return U16(v & 0xFFFF).U16(v >> 16);
}

Bytes& Bytes::Raw(std::string_view bytes) {
  bytes_.append(bytes);
  return *this;
}

Bytes& Bytes::Text32(std::string_view text) {
  return U32(static_cast<std::uint32_t>(text.size())).Raw(text);
}

Bytes& Bytes::Text16(std::string_view text) {
  return U16(static_cast<std::uint16_t>(text.size())).Raw(text);
}

std::string V2Header(std::uint32_t count, const HeadTexts& texts, std::string_view language,
                     std::uint8_t flags) {
  Bytes after;  // the header after offset 7
  after.U32(2).U32(0).U32(count).U8(flags);
  for (int k = 0; k < 10; ++k) after.U8(static_cast<std::uint8_t>(k));
  after.Raw(language);
  for (const std::string* text :
       {&texts.Title, &texts.Comments, &texts.Author, &texts.Email, &texts.Web})
    after.Text32(*text);
  after.U32(0);  // the sixth text
  Bytes file;
  file.Raw("kiv").U32(static_cast<std::uint32_t>(after.str().size())).Raw(after.str());
  file.U32(4).U32(0);
  return file.str();
}

std::string V2Record(std::string_view word, std::optional<std::string_view> description,
                     std::uint16_t parts, std::uint8_t number) {
  Bytes rest;
  rest.U8(description ? 0x01 : 0).U8(number).U16(parts).Text32(word);
  if (description) rest.Text32(*description);
  Bytes record;
  record.U32(static_cast<std::uint32_t>(rest.str().size() + 4)).Raw(rest.str());
  return record.str();
}

std::string V1Record(std::string_view word, std::optional<std::string_view> description) {
  Bytes record;
  record.U8(description ? 0x40 : 0).U8(0).U8(0).U8(0).Text16(word);
  if (description) record.Text32(*description);
  return record.str();
}

std::string V1File(std::uint32_t count, std::string_view body, bool compressed,
                   const HeadTexts& texts) {
  Bytes head;
  head.Raw("kiv").U32(0).U32(count).U8(compressed ? 0x10 : 0).U32(0).U32(1);
  head.Raw(std::string(41, '\0'));
  for (const std::string* text :
       {&texts.Title, &texts.Comments, &texts.Comments, &texts.Author, &texts.Email, &texts.Web})
    head.Text16(*text);
  std::string file = head.str();
  const auto head_size = static_cast<std::uint32_t>(file.size());
  for (int k = 0; k < 4; ++k) file[3 + k] = static_cast<char>(head_size >> (8 * k));
  if (compressed) {
    const std::vector<std::uint8_t> packed =
        LzssEncode(reinterpret_cast<const std::uint8_t*>(body.data()), body.size());
    file.append(packed.begin(), packed.end());
  } else {
    file.append(body);
  }
  return file;
}

}  // namespace gryvel::testing
