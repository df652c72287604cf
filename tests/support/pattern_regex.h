#pragma once

#include <optional>
#include <string>
#include <string_view>

// A second reading of the crossword pattern language, written from its description and
// sharing nothing with the searcher's compiler: the pattern becomes an ECMAScript regular
// expression over bytes, for std::regex_match. Named positions become capture groups, their
// later places back-references, and a lookahead keeps each new name off the letters of the
// names before it. Letters are taken as given: the caller folds case (and equal letters) in
// the pattern and the word alike. Used by the searcher's tests and its fuzz target.

namespace gryvel::testing {

struct PatternRegex {
  std::string Expression;  // ECMAScript syntax
  int Names = 0;           // distinct numbered names, each one capture group
};

// The expression matching exactly the words `pattern` (code page 1251, as typed) matches;
// nullopt for a pattern that matches no word at all.
std::optional<PatternRegex> ReadPattern(std::string_view pattern);

}  // namespace gryvel::testing
