#include "shell/session.h"

#include <utility>

namespace gryvel {

TSession::TSession(std::unique_ptr<TSettingsFile> settings) : FSettings(std::move(settings)) {
  Searcher.SetCharacterManager(&Manager);
  Collection.SetStringSearcher(&Searcher);
  Source.SetDictionary(&Collection);
  SetSearchOptions(FSearchOptions);
}

void TSession::SetSearchOptions(const TSearchOptions& options) {
  FSearchOptions = options;
  Manager.SetCaseSensitive(options.CaseSensitive);
  History.SetDoSaveLast(options.DoSaveLast);
  History.SetSaveLastCount(options.SaveLastCount);
  History.TrimHistory();
}

}  // namespace gryvel
