#include "shell/default_settings.h"

#include <cstdint>
#include <exception>
#include <string>

#include "dictionary/kiv_dictionary.h"
#include "shell/settings_io.h"
#include "shell/settings_location.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

// `name` in the places a first run looks, in order: `program_dir`'s "Dictionaries" folder,
// `program_dir` itself, `data_dir`'s "Dictionaries" folder; empty when it is in none.
std::string FindBundled(const char* name, const std::string& program_dir,
                        TFileSystem& file_system, const std::string& data_dir) {
  const std::string in_folder = std::string("Dictionaries/") + name;
  for (const std::string& path : {JoinPath(program_dir, in_folder), JoinPath(program_dir, name)})
    if (file_system.FileExists(path)) return path;
  if (data_dir.empty()) return {};
  std::string installed = JoinPath(data_dir, in_folder);
  return file_system.FileExists(installed) ? installed : std::string();
}

}  // namespace

std::string FindDefaultDictionary(const std::string& program_dir, TFileSystem& file_system,
                                  const std::string& data_dir) {
  return FindBundled("dictionary.kiv", program_dir, file_system, data_dir);
}

std::string DictionaryNameFromHeader(const std::string& file_name, TFileSystem& file_system) {
  std::string title;
  try {
    TKivDictionary dictionary(&file_system);
    dictionary.SetFileName(file_name);
    title = dictionary.ReadHeader().Title;
  } catch (const std::exception&) {
    // The file cannot be opened; reading the dictionary list will say so.
  }
  return title.empty() ? ShellText(TShellText::NoDictionaryName) : title;
}

TIniStore CreateDefaultSettings(const std::string& program_dir, TFileSystem& file_system,
                                const std::string& data_dir) {
  TIniStore store;
  TSectionWriter(store, "Main").Path("InitialDir", program_dir);
  store.WriteString("Main", "ShowStatusBar", "");
  store.WriteString("Main", "Language", "RUS");
  store.WriteString("WindowPos", "State", "");
  store.WriteString("Viewer", "ShowDescription", "");
  store.WriteString("Search", "DoFastSearch", "");
  for (const char* dock : {"SearchDock", "ViewDock", "SpecialDock"})
    store.WriteString(dock, "DockedTo", "");
  store.WriteString("Pattern", "Count", "");
  store.WriteString("Anagram", "Count", "");

  // The Russian dictionary is connected; the English one, when it came with the program, is
  // listed for the user to connect.
  std::int32_t count = 0;
  TSectionWriter list(store, "Dictionaries");
  const auto add = [&](const std::string& file, bool connected) {
    if (file.empty()) return;
    ++count;
    list.Path("FileName_" + std::to_string(count), file);
    list.Text("Name_" + std::to_string(count), DictionaryNameFromHeader(file, file_system));
    list.Bool("IsConnected_" + std::to_string(count), connected);
  };
  store.WriteInteger("Dictionaries", "Count", 0);
  add(FindDefaultDictionary(program_dir, file_system, data_dir), true);
  add(FindBundled("english.kiv", program_dir, file_system, data_dir), false);
  store.WriteInteger("Dictionaries", "Count", count);
  return store;
}

}  // namespace gryvel
