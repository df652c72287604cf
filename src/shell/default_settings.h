#pragma once

#include <string>
#include <string_view>

#include "dictionary/file_io.h"
#include "shell/ini_store.h"

// What the settings file holds before the program has ever written it.

namespace gryvel {

// Who starts the program for the first time: what the first-run file adapts to.
struct TFirstRunUser {
  bool Russian = true;  // the locale's language is Russian
  std::string Home;     // where the open-dictionary dialog starts; the program's folder if empty
};

// Whether a locale name ("ru_RU.UTF-8", "ru", "en_US.UTF-8", "C") is Russian.
bool IsRussianLocale(std::string_view locale);

// The user of this process: the locale that names the messages' language (the first of
// LC_ALL, LC_MESSAGES and LANG that is set) and the home directory.
TFirstRunUser ProcessFirstRunUser();

// The first-run file, in order: [Main] with InitialDir (the user's home, else the program's
// directory), ShowStatusBar empty and Language "RUS" for a Russian user, "ENG" otherwise; the
// keys [WindowPos] State, [Viewer] ShowDescription, [Search] DoFastSearch, [SearchDock],
// [ViewDock] and [SpecialDock] DockedTo, [Pattern] and [Anagram] Count, all empty, so that they
// read as their defaults; then [Dictionaries] with the dictionary of the user's language
// connected (IsConnected 1) and then the other one listed (IsConnected 0), each with its file
// and name when it exists, and their Count. The Russian one is the default dictionary, the
// English one the bundled "english.kiv", looked for in the same places. Reads the dictionaries'
// headers through `file_system`.
TIniStore CreateDefaultSettings(const std::string& program_dir, TFileSystem& file_system,
                                const std::string& data_dir = {},
                                const TFirstRunUser& user = {});

// The dictionary a first run lists: "Dictionaries/dictionary.kiv" in `program_dir` when it
// exists, else "dictionary.kiv" there when that exists, else "Dictionaries/dictionary.kiv" in
// `data_dir` (where an installation keeps its data; none when empty); empty when none exists.
std::string FindDefaultDictionary(const std::string& program_dir, TFileSystem& file_system,
                                  const std::string& data_dir = {});

// The name of the dictionary in `file_name` as its header gives it; "<Словарь>" when the
// header has none or cannot be read.
std::string DictionaryNameFromHeader(const std::string& file_name, TFileSystem& file_system);

}  // namespace gryvel
