#pragma once

#include "common/status.h"
#include "results/result_source.h"
#include "shell/settings_file.h"

// The result filter, [Filter].

namespace gryvel {

// The longest word length the filter can be set to.
inline constexpr std::int32_t kMaxFilterLength = 100;

// Reads [Filter]: the switches default to off, the pattern to empty, both lengths to 1; each
// length is clamped to 0 .. kMaxFilterLength and MaxLength is raised to MinLength. Shows
// nothing; the defaults when the file cannot be read.
TFilterSettings ReadFilterSettings(TSettingsFile& file);
TStatus WriteFilterSettings(TSettingsFile& file, const TFilterSettings& settings);

}  // namespace gryvel
