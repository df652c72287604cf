#include "cli/argument_values.h"

#include <charconv>
#include <limits>

#include "common/cp1251_utf8.h"

namespace gryvel::cli {

namespace {

TStatus Invalid(std::string_view what, std::string_view text, std::string_view expected) {
  return TStatus::Error(std::string(what) + ": '" + std::string(text) + "' is not " +
                        std::string(expected));
}

}  // namespace

TStatus ParseText(std::string_view utf8, std::string_view what, std::string* text) {
  if (utf8.empty()) return TStatus::Error(std::string(what) + " is empty");
  if (TStatus status = Utf8ToCp1251(utf8, text); !status.ok())
    return TStatus::Error(std::string(what) + ": " + status.message());
  return TStatus::Ok();
}

TStatus ParsePositive(std::string_view digits, std::string_view what, std::int32_t* value) {
  constexpr std::string_view kExpected = "a whole number from 1 to 2147483647";
  // from_chars would take a leading minus sign.
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return Invalid(what, digits, kExpected);
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || number < 1)
    return Invalid(what, digits, kExpected);
  *value = number;
  return TStatus::Ok();
}

TStatus ParseRange(std::string_view text, std::string_view what, TCountRange* range) {
  const std::size_t dash = text.find('-');
  TCountRange parsed{1, std::numeric_limits<std::int32_t>::max()};
  if (dash == std::string_view::npos) {
    if (TStatus status = ParsePositive(text, what, &parsed.Min); !status.ok()) return status;
    parsed.Max = parsed.Min;
  } else {
    const std::string_view low = text.substr(0, dash);
    const std::string_view high = text.substr(dash + 1);
    if (low.empty() && high.empty()) return Invalid(what, text, "a range such as 3-7");
    if (!low.empty())
      if (TStatus status = ParsePositive(low, what, &parsed.Min); !status.ok()) return status;
    if (!high.empty())
      if (TStatus status = ParsePositive(high, what, &parsed.Max); !status.ok()) return status;
  }
  if (parsed.Min > parsed.Max)
    return Invalid(what, text, "a range: the first number is greater than the second");
  *range = parsed;
  return TStatus::Ok();
}

TStatus ParseEqualLetters(std::string_view utf8, TEqualLetters* group) {
  constexpr std::string_view kWhat = "--equal";
  const std::size_t equals = utf8.rfind('=');
  if (equals == std::string_view::npos || equals == 0)
    return Invalid(kWhat, utf8, "LETTERS=E (for example ё=е)");
  std::string letters, equivalent;
  if (TStatus status = ParseText(utf8.substr(0, equals), kWhat, &letters); !status.ok())
    return status;
  if (TStatus status = ParseText(utf8.substr(equals + 1), kWhat, &equivalent); !status.ok())
    return status;
  if (equivalent.size() != 1) return Invalid(kWhat, utf8, "LETTERS=E with one letter after '='");
  *group = TEqualLetters{letters, equivalent[0], true};
  return TStatus::Ok();
}

}  // namespace gryvel::cli
