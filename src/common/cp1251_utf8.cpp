#include "common/cp1251_utf8.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace gryvel {

namespace {

// Code points of bytes 0x80-0xBF; 0xC0-0xFF are U+0410-U+044F in order.
constexpr char16_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr char32_t ToCodePoint(int byte) {
  if (byte < 0x80) return static_cast<char32_t>(byte);
  if (byte < 0xC0) return kHighHalf[byte - 0x80];
  return static_cast<char32_t>(0x0410 + (byte - 0xC0));
}

// UTF-8 form of every byte, precomputed.
struct TUtf8Char {
  std::uint8_t size = 0;
  char bytes[3] = {};
};

constexpr std::array<TUtf8Char, 256> MakeUtf8Table() {
  std::array<TUtf8Char, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = ToCodePoint(b);
    TUtf8Char& c = table[b];
    if (cp < 0x80) {
      c.size = 1;
      c.bytes[0] = static_cast<char>(cp);
    } else if (cp < 0x800) {
      c.size = 2;
      c.bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
      c.bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      c.size = 3;
      c.bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
      c.bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      c.bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return table;
}

constexpr std::array<TUtf8Char, 256> kUtf8 = MakeUtf8Table();

// Reverse lookup over the two blocks that hold every non-ASCII character of the code page;
// 0 marks a character the code page lacks (U+0000 itself is ASCII and never looked up here).
constexpr char32_t kLowBlockEnd = 0x0500;  // U+0080-U+04FF
constexpr char32_t kPunctBlockStart = 0x2000;
constexpr char32_t kPunctBlockEnd = 0x2130;  // U+2000-U+212F

struct TReverseTables {
  std::array<std::uint8_t, kLowBlockEnd> low{};
  std::array<std::uint8_t, kPunctBlockEnd - kPunctBlockStart> punct{};
};

constexpr TReverseTables MakeReverseTables() {
  TReverseTables t{};
  for (int b = 0x80; b < 256; ++b) {
    const char32_t cp = ToCodePoint(b);
    if (cp < kLowBlockEnd)
      t.low[cp] = static_cast<std::uint8_t>(b);
    else
      t.punct[cp - kPunctBlockStart] = static_cast<std::uint8_t>(b);
  }
  return t;
}

constexpr TReverseTables kReverse = MakeReverseTables();

// The code page byte for a non-ASCII code point, or 0 when there is none.
std::uint8_t FromCodePoint(char32_t cp) {
  if (cp < kLowBlockEnd) return kReverse.low[cp];
  if (cp >= kPunctBlockStart && cp < kPunctBlockEnd) return kReverse.punct[cp - kPunctBlockStart];
  return 0;
}

std::string Hex(std::uint8_t byte) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", byte);
  return buf;
}

TStatus Malformed(std::size_t offset, const std::string& what) {
  return TStatus::Error("Malformed UTF-8 at byte " + std::to_string(offset) + ": " + what);
}

// Decodes the multi-byte sequence that starts at s[i] (a byte >= 0x80) into *cp and *len,
// rejecting every form that RFC 3629 forbids.
TStatus DecodeSequence(std::string_view s, std::size_t i, char32_t* cp, std::size_t* len) {
  const auto lead = static_cast<std::uint8_t>(s[i]);
  std::size_t n;
  char32_t min;  // smallest code point that needs this many bytes
  if (lead >= 0xC0 && lead <= 0xDF) {
    n = 2, min = 0x80, *cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3, min = 0x800, *cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF7) {
    n = 4, min = 0x10000, *cp = lead & 0x07;
  } else if (lead < 0xC0) {
    return Malformed(i, "continuation byte " + Hex(lead) + " without a lead byte");
  } else {
    return Malformed(i, "byte " + Hex(lead) + " never occurs in UTF-8");
  }
  for (std::size_t k = 1; k < n; ++k) {
    if (i + k >= s.size()) return Malformed(i, "sequence cut short by the end of the text");
    const auto next = static_cast<std::uint8_t>(s[i + k]);
    if ((next & 0xC0) != 0x80) return Malformed(i, "sequence cut short by byte " + Hex(next));
    *cp = (*cp << 6) | (next & 0x3F);
  }
  if (*cp < min) return Malformed(i, "overlong encoding");
  if (*cp >= 0xD800 && *cp <= 0xDFFF) return Malformed(i, "encoded surrogate");
  if (*cp > 0x10FFFF) return Malformed(i, "value past U+10FFFF");
  *len = n;
  return TStatus::Ok();
}

// The character at s[i] into *cp and *len.
TStatus Decode(std::string_view s, std::size_t i, char32_t* cp, std::size_t* len) {
  const auto lead = static_cast<std::uint8_t>(s[i]);
  if (lead >= 0x80) return DecodeSequence(s, i, cp, len);
  *cp = lead;
  *len = 1;
  return TStatus::Ok();
}

// Characters drawn together with the one before them: combining marks, variation selectors,
// skin tones. A zero-width joiner also joins the one after it.
constexpr char32_t kZeroWidthJoiner = 0x200D;

bool JoinsPrevious(char32_t cp) {
  return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
         (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
         (cp >= 0xFE00 && cp <= 0xFE0F) || (cp >= 0xFE20 && cp <= 0xFE2F) ||
         (cp >= 0x1F3FB && cp <= 0x1F3FF) || (cp >= 0xE0100 && cp <= 0xE01EF) ||
         cp == kZeroWidthJoiner;
}

std::size_t Utf16Units(char32_t cp) { return cp > 0xFFFF ? 2 : 1; }

// The shown character being read: its number, where it starts in UTF-8 bytes and in UTF-16
// units, and how far it reaches in UTF-16 units.
struct TShownCursor {
  std::size_t Number = 0;
  std::size_t Start = 0;
  std::size_t Utf16Start = 0;
  std::size_t Utf16End = 0;
  bool JoinsNext = false;  // the last character was a zero-width joiner
};

// Describes `cp`, which starts at utf8[i] inside the shown character of `at`, taking in the
// characters after it that belong to the same shown character.
TUnstorable NotInCodePage(std::string_view utf8, std::size_t i, char32_t cp, TShownCursor at) {
  bool joins_next = false;
  std::size_t end = i;
  for (std::size_t len = 0; end < utf8.size(); end += len) {
    char32_t next = 0;
    if (!Decode(utf8, end, &next, &len).ok()) break;
    if (end > i && !joins_next && !JoinsPrevious(next)) break;
    at.Utf16End += Utf16Units(next);
    joins_next = next == kZeroWidthJoiner;
  }
  TUnstorable found;
  found.Code = cp;
  found.Position = at.Number;
  found.Utf16Start = at.Utf16Start;
  found.Utf16Length = at.Utf16End - at.Utf16Start;
  found.Shown = std::string(utf8.substr(at.Start, end - at.Start));
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
  found.Message = std::string("Character ") + code;
  // Control characters would be invisible or disruptive inside quotes.
  if (cp >= 0xA0) found.Message += " \"" + found.Shown + "\"";
  found.Message += " at position " + std::to_string(at.Number) +
                   " cannot be written in code page 1251";
  return found;
}

// Walks `utf8` up to its first character the code page cannot hold or its first malformed
// sequence and describes that; nullopt when there is none. With `out`, which then holds at
// least utf8.size() bytes, the code page bytes go there and *written counts them.
std::optional<TUnstorable> Convert(std::string_view utf8, char* out, std::size_t* written) {
  TShownCursor at;
  std::size_t n = 0;
  for (std::size_t i = 0, len = 0; i < utf8.size(); i += len) {
    char32_t cp = 0;
    const TStatus status = Decode(utf8, i, &cp, &len);
    if (at.Number == 0 || !status.ok() || !(at.JoinsNext || JoinsPrevious(cp))) {
      ++at.Number;
      at.Start = i;
      at.Utf16Start = at.Utf16End;
    }
    if (!status.ok()) {
      TUnstorable found;
      found.Position = at.Number;
      found.Utf16Start = at.Utf16Start;
      found.Utf16Length = 1;
      found.Message = status.message();
      return found;
    }
    const std::uint8_t byte = cp < 0x80 ? static_cast<std::uint8_t>(cp) : FromCodePoint(cp);
    if (byte == 0 && cp != 0) return NotInCodePage(utf8, i, cp, at);
    if (out != nullptr) out[n++] = static_cast<char>(byte);
    at.Utf16End += Utf16Units(cp);
    at.JoinsNext = cp == kZeroWidthJoiner;
  }
  if (written != nullptr) *written = n;
  return std::nullopt;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view cp1251) {
  std::size_t size = 0;
  for (const char c : cp1251) size += kUtf8[static_cast<std::uint8_t>(c)].size;
  std::string out(size, '\0');
  char* p = out.data();
  for (const char c : cp1251) {
    const TUtf8Char& u = kUtf8[static_cast<std::uint8_t>(c)];
    for (std::uint8_t k = 0; k < u.size; ++k) *p++ = u.bytes[k];
  }
  return out;
}

std::optional<TUnstorable> FindUnstorable(std::string_view utf8) {
  return Convert(utf8, nullptr, nullptr);
}

TStatus Utf8ToCp1251(std::string_view utf8, std::string* out) {
  std::string result(utf8.size(), '\0');  // never longer than the input
  std::size_t n = 0;
  if (const std::optional<TUnstorable> found = Convert(utf8, result.data(), &n))
    return TStatus::Error(found->Message);
  result.resize(n);
  *out = std::move(result);
  return TStatus::Ok();
}

std::string PathForMessage(std::string_view path) {
  std::string whole;
  if (Utf8ToCp1251(path, &whole).ok()) return whole;
  std::string out;
  for (std::size_t i = 0; i < path.size();) {
    const auto lead = static_cast<std::uint8_t>(path[i]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    bool whole = i + length <= path.size();
    for (std::size_t k = 1; whole && k < length; ++k)
      whole = (static_cast<std::uint8_t>(path[i + k]) & 0xC0) == 0x80;
    std::string one;
    if (whole && Utf8ToCp1251(path.substr(i, length), &one).ok())
      out += one;
    else
      out += '?';
    i += whole ? length : 1;  // one mark per character, or per stray byte
  }
  return out;
}

}  // namespace gryvel
