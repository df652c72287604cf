#pragma once

#include <string>
#include <string_view>

// What the window program answers on the command line before it opens a window: `--help`,
// `--version` and the message when there is no display. English, as gryvel-cli's output.

namespace gryvel {

// `gryvel --help`: the synopsis, the options, the files it takes, where the settings go
// (`settings_path`, the file this start would use) and a pointer to gryvel-cli.
std::string WindowHelpText(std::string_view settings_path);

// `gryvel --version`: "gryvel VERSION" and the licence, for `version`.
std::string WindowVersionText(std::string_view version);

// Printed, with exit status 1, when no display can be opened.
std::string NoDisplayText();

}  // namespace gryvel
