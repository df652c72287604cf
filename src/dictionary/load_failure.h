#pragma once

#include <cstdint>
#include <string>

// Why the load of a dictionary failed, kept by the dictionary so that the user can be told
// and the dictionary can be shown as one that could not be read.

namespace gryvel {

// Why a load failed, in kinds the user interface puts in its own words.
enum class TLoadProblem : std::uint8_t {
  kNone,
  kCannotOpen,     // the file cannot be opened; SystemError holds errno
  kDamagedHeader,  // the header does not hold together, or names an unknown version
  kNotDictionary,  // named as a dictionary, the file is something else: not read as text
  kUnexpectedEnd,  // the file ends inside a record: cut short
  kDamagedRecord,  // a record's sizes do not fit
  kFileTooLarge,
  kOutOfMemory,
  kOther,  // only Detail says
};

// A failed load: its kind and the engine's own words for it (code page 1251, English).
struct TLoadFailure {
  TLoadProblem Problem = TLoadProblem::kNone;
  std::string Detail;
  int SystemError = 0;

  explicit operator bool() const { return Problem != TLoadProblem::kNone; }
  bool operator==(const TLoadFailure&) const = default;
};

}  // namespace gryvel
