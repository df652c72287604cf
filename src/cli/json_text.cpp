#include "cli/json_text.h"

#include <cstdint>
#include <cstdio>

namespace gryvel::cli {

namespace {

// The length of the valid UTF-8 sequence at utf8[i] (a byte >= 0x80), or 0.
std::size_t ValidSequence(std::string_view utf8, std::size_t i) {
  const auto lead = static_cast<std::uint8_t>(utf8[i]);
  std::size_t n = 0;
  std::uint32_t cp = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2, cp = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3, cp = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4, cp = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + n > utf8.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto next = static_cast<std::uint8_t>(utf8[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3Fu);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
  return n;
}

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default: {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
      out += code;
    }
  }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
  out += '"';
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<std::uint8_t>(utf8[i]);
    if (byte < 0x20 || byte == '"' || byte == '\\') {
      AppendEscaped(out, utf8[i++]);
    } else if (byte < 0x80) {
      out += utf8[i++];
    } else if (const std::size_t n = ValidSequence(utf8, i); n > 0) {
      out.append(utf8, i, n);
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  out += '"';
}

std::string JsonString(std::string_view utf8) {
  std::string out;
  AppendJsonString(out, utf8);
  return out;
}

std::string JsonObject(const std::vector<TJsonMember>& members) {
  std::string out = "{";
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i > 0) out += ", ";
    AppendJsonString(out, members[i].first);
    out += ": ";
    out += members[i].second;
  }
  out += '}';
  return out;
}

}  // namespace gryvel::cli
