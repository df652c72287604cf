#pragma once

#include <string>
#include <vector>

// The bundled dictionary opened when no -d is given.

namespace gryvel::cli {

// Where the bundled dictionary is looked for, in order: Dictionaries/dictionary.kiv beside
// the executable, then in the installed data directory.
std::vector<std::string> DefaultDictionaryPlaces();

// The first of those places that holds a file; empty when none does.
std::string FindDefaultDictionary();

}  // namespace gryvel::cli
