#include "cli/session.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "cli/default_dictionary.h"
#include "cli/progress_line.h"
#include "common/cp1251_utf8.h"
#include "dictionary/file_io.h"
#include "dictionary/file_kind.h"
#include "dictionary/kiv_header.h"
#include "results/language.h"

namespace gryvel::cli {

namespace {

// Fails, with the reason, unless `path` is a file taken as a dictionary or a word list; a word
// list that looks like something else is read after a warning.
bool CheckTaken(const std::string& path) {
  const TFileClass kind = ClassifyFile(PosixFileSystem(), path);
  if (kind.Kind == TFileKind::kRefused) {
    PrintError("cannot open '" + path + "': " + Cp1251ToUtf8(FileRefusalReason(kind)));
    return false;
  }
  if (kind.Doubtful())
    PrintError("warning: '" + path + "' does not look like a list of words: " +
               std::to_string(kind.NonWordPercent) + "% of its parts are not words");
  return true;
}

// Only versions 1 and 2 of the binary format are read; the loader would quietly read nothing
// of any other.
bool CheckVersion(const TKivDictionary& dictionary) {
  const std::uint32_t version = dictionary.Head().Version;
  if (dictionary.Kind() != TDictKind::kBinary || version == 1 || version == 2) return true;
  PrintError("'" + dictionary.FileName() + "': dictionary version " + std::to_string(version) +
             " cannot be read (only versions 1 and 2)");
  return false;
}

void ShowLoadProgress(const TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent) {
  if (sender == nullptr || stage == kStageAllDone) return;
  TProgressLine::Stderr().Show("Loading " + Cp1251ToUtf8(sender->Name()) + "... " +
                               std::to_string(percent) + "%");
}

}  // namespace

TCliSession::TCliSession(const TCliOptions& options) {
  TSearchOptions search;
  search.CaseSensitive = options.CaseSensitive;
  SetSearchOptions(search);
  for (const TEqualLetters& group : options.EqualLetters) Manager.AddEqualLetters(group);
  Searcher.SetAnagramOptions(options.AnagramMode);
}

namespace {

// "\n  PLACE" for each place the bundled dictionary `name` is looked for.
std::string PlacesList(std::string_view name) {
  std::string places;
  for (const std::string& place : BundledDictionaryPlaces(name)) places += "\n  " + place;
  return places;
}

// The file a -d `name` opens: `name` itself when something of that name is here or it names
// a folder; else the bundled dictionary of that file name. False, saying where it looked,
// when a bare name is neither here nor bundled.
bool ResolveDictionary(const std::string& name, std::string* path) {
  std::error_code error;
  *path = name;
  if (name.find('/') != std::string::npos || std::filesystem::exists(name, error)) return true;
  *path = FindBundledDictionary(name);
  if (!path->empty()) return true;
  PrintError("cannot open '" + name + "': no such file here, nor among the bundled " +
             "dictionaries. Looked in:" + PlacesList(name));
  return false;
}

}  // namespace

bool DictionaryFiles(const TCliOptions& options, std::vector<std::string>* files) {
  files->clear();
  for (const std::string& name : options.Dictionaries) {
    std::string path;
    if (!ResolveDictionary(name, &path)) return false;
    files->push_back(std::move(path));
  }
  if (!files->empty()) return true;
  const std::string bundled = FindBundledDictionary(kDefaultDictionaryName);
  if (!bundled.empty()) {
    files->push_back(bundled);
    return true;
  }
  PrintError("the default dictionary was not found; give a dictionary with -d FILE. Looked in:" +
             PlacesList(kDefaultDictionaryName));
  return false;
}

int AddDictionaries(TCliSession& session, const std::vector<std::string>& files) {
  TDictionaryCollection& collection = session.Collection;
  for (const std::string& file : files) {
    if (!CheckTaken(file)) return kExitFailure;
    std::int32_t index = -1;
    try {
      index = collection.AddDictionary(file);
    } catch (const EDictionaryError& error) {
      PrintEngineError(error.what());
      return kExitFailure;
    }
    if (index < 0) continue;
    collection.Dictionary(index)->SetName(
        PathForMessage(std::filesystem::path(file).filename().string()));
  }
  return kExitOk;
}

int LoadDictionaries(TCliSession& session, const std::vector<TKivDictionary*>& dictionaries,
                     bool connect) {
  TDictionaryCollection& collection = session.Collection;
  TSubscription progress = collection.OnProgress.Subscribe(
      [](TKivDictionary* sender, std::uint8_t stage, std::uint8_t percent, const std::string&) {
        ShowLoadProgress(sender, stage, percent);
      });
  for (const TKivDictionary* dictionary : dictionaries)
    if (!CheckVersion(*dictionary)) return kExitFailure;
  if (connect)
    for (TKivDictionary* dictionary : dictionaries) collection.Connect(*dictionary);
  // Nothing here must stay responsive while the files are read: they are read on this thread.
  bool opened = true;
  try {
    collection.LoadNow(dictionaries);
  } catch (const EDictionaryError& error) {
    PrintEngineError(error.what());
    opened = false;
  }
  progress.Reset();
  TProgressLine::Stderr().Clear();
  // The engine has shown why a load failed.
  return opened && !session.Messages.Shown() ? kExitOk : kExitFailure;
}

int OpenDictionaries(TCliSession& session, const TCliOptions& options) {
  std::vector<std::string> files;
  if (!DictionaryFiles(options, &files)) return kExitFailure;
  if (int code = AddDictionaries(session, files); code != kExitOk) return code;
  std::vector<TKivDictionary*> all;
  for (std::int32_t i = 0; i < session.Collection.DictionaryCount(); ++i)
    all.push_back(session.Collection.Dictionary(i));
  return LoadDictionaries(session, all, true);
}

}  // namespace gryvel::cli
