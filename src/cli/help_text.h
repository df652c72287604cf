#pragma once

#include <string_view>

namespace gryvel::cli {

// The text of --help: every option and command, with examples.
std::string_view HelpText();

}  // namespace gryvel::cli
