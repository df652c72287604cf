#pragma once

#include <string>

#include "dictionary/file_io.h"
#include "shell/ini_store.h"

// What the settings file holds before the program has ever written it.

namespace gryvel {

// The first-run file, in order: [Main] with InitialDir (the program's directory),
// ShowStatusBar empty and Language "RUS"; the keys [WindowPos] State, [Viewer]
// ShowDescription, [Search] DoFastSearch, [SearchDock], [ViewDock] and [SpecialDock] DockedTo,
// [Pattern] and [Anagram] Count, all empty, so that they read as their defaults; then
// [Dictionaries] with the default dictionary's file, name and IsConnected 1, and then the
// bundled "english.kiv" (looked for as the default dictionary is) with IsConnected 0, each
// when it exists, and their Count. Reads the dictionary's header through `file_system`.
TIniStore CreateDefaultSettings(const std::string& program_dir, TFileSystem& file_system,
                                const std::string& data_dir = {});

// The dictionary a first run lists: "Dictionaries/dictionary.kiv" in `program_dir` when it
// exists, else "dictionary.kiv" there when that exists, else "Dictionaries/dictionary.kiv" in
// `data_dir` (where an installation keeps its data; none when empty); empty when none exists.
std::string FindDefaultDictionary(const std::string& program_dir, TFileSystem& file_system,
                                  const std::string& data_dir = {});

// The name of the dictionary in `file_name` as its header gives it; "<Словарь>" when the
// header has none or cannot be read.
std::string DictionaryNameFromHeader(const std::string& file_name, TFileSystem& file_system);

}  // namespace gryvel
