#include "common/format.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>

namespace gryvel {

namespace {

struct TFormatState {
  std::mutex Mutex;
  TNumberFormat Format;  // guarded by Mutex
};

TFormatState& State() {
  static TFormatState state;
  return state;
}

// Milliseconds stay exact in a double up to 2^53 of them; 10^12 s is well inside that.
constexpr double kMaxSeconds = 1e12;

}  // namespace

void SetNumberFormat(TNumberFormat format) {
  TFormatState& state = State();
  std::lock_guard lock(state.Mutex);
  state.Format = std::move(format);
}

TNumberFormat GetNumberFormat() {
  TFormatState& state = State();
  std::lock_guard lock(state.Mutex);
  return state.Format;
}

std::string FormatSeconds(double seconds) {
  if (!(seconds > 0)) return "0";  // also NaN
  // The printed seconds stay below 60, so three decimals never exceed six significant
  // digits; rounding once to whole milliseconds is all the rounding there is, and
  // integer arithmetic keeps the text free of the C library's locale.
  const auto ms = static_cast<std::int64_t>(std::llround(std::min(seconds, kMaxSeconds) * 1000));
  const std::int64_t minutes = ms / 60000;
  const std::int64_t rest = ms % 60000;
  std::string text;
  if (minutes > 0) text = std::to_string(minutes) + ":";
  const std::string fraction = std::to_string(1000 + rest % 1000);  // "1xyz": zero-filled
  text += std::to_string(rest / 1000);
  text += GetNumberFormat().DecimalSeparator;
  text.append(fraction, 1, 3);
  return text;
}

std::string FormatCount(std::int64_t n) {
  const std::string separator = GetNumberFormat().ThousandSeparator;
  // Through the unsigned magnitude, so the most negative value has one too.
  const std::uint64_t magnitude =
      n < 0 ? ~static_cast<std::uint64_t>(n) + 1 : static_cast<std::uint64_t>(n);
  const std::string digits = std::to_string(magnitude);
  std::string text = n < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
    text += digits[i];
  }
  return text;
}

}  // namespace gryvel
