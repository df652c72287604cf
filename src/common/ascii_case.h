#pragma once

#include <algorithm>
#include <string_view>

// Comparing names (file names, settings keys) without regard to the case of ASCII letters.

namespace gryvel {

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace gryvel
