#pragma once

#include <string>
#include <string_view>

namespace gryvel::testing {

// Code page 1251 bytes of a UTF-8 literal; fails the current test if it cannot be converted.
std::string Cp(std::string_view utf8);

// UTF-8 of code page 1251 bytes, for readable failure messages.
std::string Utf(std::string_view cp1251);

}  // namespace gryvel::testing
