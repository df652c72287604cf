#include "shell/dictionary_list_settings.h"

#include <algorithm>
#include <exception>

#include "common/cp1251_utf8.h"
#include "results/language.h"
#include "shell/dictionary_commands.h"
#include "shell/settings_io.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

constexpr char kDictionaries[] = "Dictionaries";
// What a missing file name reads as, so that it is told apart from an empty one.
constexpr char kNoFileName[] = "!?xxx";

std::string Numbered(const char* key, std::int32_t i) {
  return key + std::to_string(i);
}

// The native name of the file that entry i lists, or empty when it lists none that exists. A
// name that is no longer found under its code page reading is tried as the bytes it is.
std::string ListedFile(const TIniStore& store, std::int32_t i, TFileSystem& files) {
  const std::string stored = store.ReadString(kDictionaries, Numbered("FileName_", i), kNoFileName);
  if (stored == kNoFileName) return {};
  for (const std::string& path : {PathFromSettings(stored), stored})
    if (!path.empty() && files.FileExists(path)) return path;
  return {};
}

// What reading the list has to tell, once, after the whole list is read.
struct TListNotes {
  std::string Failures;    // a line for each file that cannot be read
  std::string Duplicates;  // a line for each entry naming a file listed before it
};

// Adds entry i to the collection; null when it is skipped. A file that cannot be read is
// added, not connected, with a line in the notes. A second entry for a file already listed
// (however its path is spelt) is dropped with a line in the notes; when it was the active one,
// the first entry becomes active, so the dictionary stays where the user left it.
TKivDictionary* OpenListed(const TIniStore& store, std::int32_t i, std::int32_t editing,
                           TSettingsFile& file, TDictionaryCollection& collection,
                           TListNotes& notes) {
  const std::string path = ListedFile(store, i, file.FileSystem());
  if (path.empty()) return nullptr;
  if (TKivDictionary* listed = FindOpenDictionary(collection, path)) {
    notes.Duplicates += "\n" + PathForMessage(path);
    if (editing == i && collection.Active() == nullptr) collection.SetActive(listed);
    return nullptr;
  }
  bool connected = store.ReadBool(kDictionaries, Numbered("IsConnected_", i), false);
  const std::int32_t index = collection.AddDictionary(path, /*keep_unreadable=*/true);
  if (index < 0) return nullptr;
  TKivDictionary& dictionary = *collection.Dictionary(index);
  std::string name = store.ReadString(kDictionaries, Numbered("Name_", i), "");
  if (name.empty()) name = dictionary.Head().Title;
  if (name.empty()) name = ShellText(TShellText::NoDictionaryName);
  dictionary.SetName(name);
  if (const TLoadFailure& failure = dictionary.LoadFailure()) {
    connected = false;
    notes.Failures += "\n" + PathForMessage(path) + ": " + LoadFailureReason(failure);
  }
  if (connected) {
    collection.Connect(dictionary);
    collection.QueueLoad(dictionary);
  }
  if (editing == i) collection.SetActive(&dictionary);
  return &dictionary;
}

}  // namespace

std::vector<TKivDictionary*> ReadDictionaryList(TSettingsFile& file,
                                                TDictionaryCollection& collection) {
  std::vector<TKivDictionary*> opened;
  TListNotes notes;
  const auto read = [&](const TIniStore& store) {
    const std::int32_t count = store.ReadInteger(kDictionaries, "Count", 0);
    const std::int32_t editing = store.ReadInteger(kDictionaries, "EditingDictionary", -1);
    // One dictionary that cannot be opened does not keep the others out of the list, where
    // they would be lost when it is written back.
    for (const std::int32_t i : store.NumberedKeys(kDictionaries, "FileName_", count)) {
      try {
        if (TKivDictionary* dictionary = OpenListed(store, i, editing, file, collection, notes))
          opened.push_back(dictionary);
      } catch (const std::exception& error) {
        // The stored name is code page 1251 text already.
        notes.Failures += "\n" + store.ReadString(kDictionaries, Numbered("FileName_", i), "") + ": " +
                    PathForMessage(error.what());
      }
    }
    return TStatus::Ok();
  };
  ReadSettingsGroup(file, ShellText(TShellText::DictionariesReadError), read,
                    /*existing_only=*/true);
  // Once, after the others are read, naming each file and why.
  if (!notes.Failures.empty()) ShowMessage(Term(TTerm::DictionariesNotLoaded) + notes.Failures);
  if (!notes.Duplicates.empty())
    ShowMessage(Term(TTerm::DuplicateDictionaries) + notes.Duplicates);
  return opened;
}

TStatus WriteDictionaryList(TSettingsFile& file, const std::vector<TDictionaryListItem>& items) {
  return file.Update([&](TIniStore& store) {
    // Only the keys of the list written now: none left over from a longer list.
    store.ClearSection(kDictionaries);
    TSectionWriter io(store, kDictionaries);
    const bool none_active = std::none_of(
        items.begin(), items.end(), [](const TDictionaryListItem& item) { return item.Active; });
    if (none_active) io.Int("EditingDictionary", -1);
    std::int32_t i = 0;
    for (const TDictionaryListItem& item : items) {
      ++i;
      const bool unnamed = item.Name == ShellText(TShellText::NoDictionaryName);
      io.Text(Numbered("Name_", i), unnamed ? "" : item.Name);
      io.Path(Numbered("FileName_", i), item.FileName);
      io.Bool(Numbered("IsConnected_", i), item.Connected);
      if (item.Active) io.Int("EditingDictionary", i);
    }
    io.Int("Count", i);
  });
}

std::vector<TDictionaryListItem> DictionaryListOf(const TDictionaryCollection& collection) {
  std::vector<TDictionaryListItem> items;
  for (std::int32_t d = 0; d < collection.DictionaryCount(); ++d) {
    const TKivDictionary& dictionary = *collection.Dictionary(d);
    items.push_back({dictionary.FileName(), dictionary.Name(), dictionary.Connected(),
                     &dictionary == collection.Active()});
  }
  return items;
}

}  // namespace gryvel
