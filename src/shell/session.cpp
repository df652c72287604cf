#include "shell/session.h"

#include <utility>

#include "common/message_sink.h"
#include "results/language.h"

namespace gryvel {

TSession::TSession(std::unique_ptr<TSettingsFile> settings, TFileSystem* files)
    : Collection(files), FSettings(std::move(settings)) {
  Searcher.SetCharacterManager(&Manager);
  Collection.SetStringSearcher(&Searcher);
  Source.SetDictionary(&Collection);
  SetSearchOptions(FSearchOptions);
  FLoadFailures = Collection.OnLoadFailed.Subscribe([](TDictionaryCollection& collection,
                                                       std::int32_t index) {
    const TKivDictionary* dictionary = collection.Dictionary(index);
    if (dictionary == nullptr) return;
    TMessage message;
    message.Text = LoadFailureText(dictionary->LoadFailure(), dictionary->FileName());
    message.Kind = TMessageKind::Error;
    ShowMessage(message);
  });
}

void TSession::SetSearchOptions(const TSearchOptions& options) {
  FSearchOptions = options;
  Manager.SetCaseSensitive(options.CaseSensitive);
  History.SetDoSaveLast(options.DoSaveLast);
  History.SetSaveLastCount(options.SaveLastCount);
  History.TrimHistory();
}

}  // namespace gryvel
