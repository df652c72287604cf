#include "shell/default_settings.h"

#include <cstdint>
#include <cstdlib>
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

const char* EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

bool IsRussianLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  return locale.starts_with("ru") &&
         (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

TFirstRunUser ProcessFirstRunUser() {
  TFirstRunUser user;
  const char* locale = nullptr;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (locale == nullptr) locale = EnvironmentValue(name);
  user.Russian = locale != nullptr && IsRussianLocale(locale);
  if (const char* home = EnvironmentValue("HOME")) user.Home = home;
  return user;
}

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
                                const std::string& data_dir, const TFirstRunUser& user) {
  TIniStore store;
  TSectionWriter(store, "Main").Path("InitialDir", user.Home.empty() ? program_dir : user.Home);
  store.WriteString("Main", "ShowStatusBar", "");
  store.WriteString("Main", "Language", user.Russian ? "RUS" : "ENG");
  store.WriteString("WindowPos", "State", "");
  store.WriteString("Viewer", "ShowDescription", "");
  store.WriteString("Search", "DoFastSearch", "");
  for (const char* dock : {"SearchDock", "ViewDock", "SpecialDock"})
    store.WriteString(dock, "DockedTo", "");
  store.WriteString("Pattern", "Count", "");
  store.WriteString("Anagram", "Count", "");

  // The dictionary of the user's language is connected; the other one, when it came with the
  // program, is listed for the user to connect.
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
  const std::string russian = FindDefaultDictionary(program_dir, file_system, data_dir);
  const std::string english = FindBundled("english.kiv", program_dir, file_system, data_dir);
  add(user.Russian ? russian : english, true);
  add(user.Russian ? english : russian, false);
  store.WriteInteger("Dictionaries", "Count", count);
  return store;
}

}  // namespace gryvel
