#pragma once

#include <functional>
#include <string_view>

#include "common/status.h"

// The entries of a dictionary in the dictd layout: an index of lines "head word TAB offset TAB
// length", the numbers in base 64 (A-Z a-z 0-9 + /, most significant digit first), over the
// uncompressed text of the entries.

namespace gryvel {

// Calls `visit` with the head word and the text of each entry the index lists, in the index's
// order. Fails, naming the line, at a line without three fields, a number that is not base 64
// or too large, or an entry that runs past the end of `entries`; the entries before it have
// been visited.
TStatus ForEachDictdEntry(std::string_view index, std::string_view entries,
                          const std::function<void(std::string_view, std::string_view)>& visit);

}  // namespace gryvel
