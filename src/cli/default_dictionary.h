#pragma once

#include <string>
#include <string_view>
#include <vector>

// The dictionaries that come with the program: the one opened when no -d is given, and those
// a -d names by their file name alone.

namespace gryvel::cli {

// The bundled dictionary opened when no -d is given.
inline constexpr char kDefaultDictionaryName[] = "dictionary.kiv";

// Where the bundled dictionary file `name` is looked for, in order: Dictionaries/<name>
// beside the executable, then in the installed data directory.
std::vector<std::string> BundledDictionaryPlaces(std::string_view name);

// The first of those places that holds a file; empty when none does.
std::string FindBundledDictionary(std::string_view name);

}  // namespace gryvel::cli
