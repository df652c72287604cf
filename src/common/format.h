#pragma once

#include <cstdint>
#include <string>

// Texts for times and counts as the status bar, the dictionary tree and the search dialogs
// show them, in code page 1251 bytes, with process-wide separators that the GUI sets from the
// user's locale.
//
// Thread safety: every function may be called from any thread; a mutex inside format.cpp
// guards the separators.

namespace gryvel {

struct TNumberFormat {
  char DecimalSeparator = '.';
  std::string ThousandSeparator = ",";  // 1251 bytes; may be empty or longer than one byte
};

// Makes `format` the separators of every later call.
void SetNumberFormat(TNumberFormat format);

// The separators now in use.
TNumberFormat GetNumberFormat();

// Seconds as text: exactly 0 gives "0"; below a minute the seconds with three decimals
// ("2.345"); from a minute on the whole minutes, ":" and the rest ("1:5.250"). Rounds to the
// millisecond first, so 59.9996 gives "1:0.000". Negative and NaN give "0"; infinity and
// anything past 10^12 seconds are shown as 10^12 seconds.
std::string FormatSeconds(double seconds);

// `n` with thousands separators and no decimals: 1234567 gives "1,234,567", -1234 "-1,234".
std::string FormatCount(std::int64_t n);

}  // namespace gryvel
