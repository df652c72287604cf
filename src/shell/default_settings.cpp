#include "shell/default_settings.h"

#include <exception>

#include "dictionary/kiv_dictionary.h"
#include "shell/settings_io.h"
#include "shell/settings_location.h"
#include "shell/shell_texts.h"

namespace gryvel {

std::string FindDefaultDictionary(const std::string& program_dir, TFileSystem& file_system,
                                  const std::string& data_dir) {
  for (const char* name : {"Dictionaries/dictionary.kiv", "dictionary.kiv"}) {
    std::string path = JoinPath(program_dir, name);
    if (file_system.FileExists(path)) return path;
  }
  if (data_dir.empty()) return {};
  std::string installed = JoinPath(data_dir, "Dictionaries/dictionary.kiv");
  return file_system.FileExists(installed) ? installed : std::string();
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

  const std::string dictionary = FindDefaultDictionary(program_dir, file_system, data_dir);
  store.WriteInteger("Dictionaries", "Count", dictionary.empty() ? 0 : 1);
  if (!dictionary.empty()) {
    TSectionWriter(store, "Dictionaries").Path("FileName_1", dictionary);
    store.WriteString("Dictionaries", "Name_1", DictionaryNameFromHeader(dictionary, file_system));
    store.WriteBool("Dictionaries", "IsConnected_1", true);
  }
  return store;
}

}  // namespace gryvel
