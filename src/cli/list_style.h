#pragma once

#include "cli/cli_options.h"
#include "cli/word_output.h"

namespace gryvel::cli {

// The list style the output options ask for: --count over --json over --describe.
inline TListStyle ListStyle(const TCliOptions& options) {
  if (options.Count) return TListStyle::Count;
  if (options.Json) return TListStyle::Json;
  return options.Describe ? TListStyle::Described : TListStyle::Lines;
}

}  // namespace gryvel::cli
