#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/cli_options.h"
#include "common/status.h"
#include "search/character_manager.h"

// The values the command line carries, checked one at a time. Each failure is a UTF-8 message
// for the user that names the value by `what` (an option such as "--length" or an argument
// such as "PATTERN").

namespace gryvel::cli {

// Non-empty UTF-8 text as code page 1251 text in *text.
TStatus ParseText(std::string_view utf8, std::string_view what, std::string* text);

// A whole number from 1 to 2^31 - 1, digits only.
TStatus ParsePositive(std::string_view digits, std::string_view what, std::int32_t* value);

// "MIN", "MIN-MAX", "MIN-" (no upper limit) or "-MAX" (from 1), with 1 <= MIN <= MAX.
// "MIN" alone is the range MIN..MIN.
TStatus ParseRange(std::string_view text, std::string_view what, TCountRange* range);

// "LETTERS=E": an active group whose letters count as the single letter E.
TStatus ParseEqualLetters(std::string_view utf8, TEqualLetters* group);

}  // namespace gryvel::cli
