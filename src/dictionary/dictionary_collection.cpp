#include "dictionary/dictionary_collection.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "common/ascii_case.h"
#include "common/clipboard_sink.h"
#include "common/message_sink.h"
#include "common/synchronize.h"
#include "dictionary/word_order.h"

namespace gryvel {

namespace {

// «Словарь "» and «" не может быть активным» in code page 1251.
constexpr const char* kRefusedBefore = "\xD1\xEB\xEE\xE2\xE0\xF0\xFC \"";
constexpr const char* kRefusedAfter =
    "\" \xED\xE5 \xEC\xEE\xE6\xE5\xF2 \xE1\xFB\xF2\xFC \xE0\xEA\xF2\xE8\xE2\xED\xFB\xEC";
// "[ • " in code page 1251.
constexpr const char* kHolderOpen = "[ \x95 ";

constexpr auto kNotOther = static_cast<std::uint16_t>(~kFlagInOtherDictionary);

}  // namespace

TDictionaryCollection::TDictionaryCollection(TFileSystem* file_system)
    : FFileSystem(file_system), FManager([this] { LoadsDone(); }) {}

TDictionaryCollection::~TDictionaryCollection() {
  OnDestroy(*this);
  FDestroying = true;
  FManager.Stop();
  for (TMember& member : FMembers) member.Dictionary->RemoveObserver(this);
  FList.clear();
  FMembers.clear();
}

TKivDictionary* TDictionaryCollection::Dictionary(std::int32_t index) const {
  return index >= 0 && index < DictionaryCount() ? FMembers[index].Dictionary : nullptr;
}

std::int32_t TDictionaryCollection::IndexOf(const TKivDictionary* dictionary) const {
  for (std::size_t i = 0; i < FMembers.size(); ++i)
    if (FMembers[i].Dictionary == dictionary) return static_cast<std::int32_t>(i);
  return -1;
}

TDictionaryCollection::TMember* TDictionaryCollection::MemberOf(const TKivDictionary& dictionary) {
  const std::int32_t index = IndexOf(&dictionary);
  return index >= 0 ? &FMembers[index] : nullptr;
}

const TDictionaryCollection::TMember* TDictionaryCollection::MemberOf(
    const TKivDictionary& dictionary) const {
  const std::int32_t index = IndexOf(&dictionary);
  return index >= 0 ? &FMembers[index] : nullptr;
}

std::int32_t TDictionaryCollection::AddDictionary(const std::string& file_name,
                                                   bool keep_unreadable) {
  for (const TMember& member : FMembers)
    if (EqualIgnoringAsciiCase(member.Dictionary->FileName(), file_name)) return -1;
  auto dictionary = std::make_unique<TKivDictionary>(FFileSystem);
  dictionary->SetFileName(file_name);
  try {
    dictionary->SetHeader(dictionary->ReadHeader());
  } catch (const EDictionaryError&) {
    if (!keep_unreadable) throw;
  }
  TKivDictionary& added = *dictionary;
  return Append(added, std::move(dictionary));
}

std::int32_t TDictionaryCollection::NewDictionary() {
  auto dictionary = std::make_unique<TKivDictionary>(FFileSystem);
  dictionary->SetLoaded();
  TKivDictionary& added = *dictionary;
  return Append(added, std::move(dictionary));
}

std::int32_t TDictionaryCollection::Add(TKivDictionary& dictionary) {
  if (MemberOf(dictionary) != nullptr) return -1;
  return Append(dictionary, nullptr);
}

std::int32_t TDictionaryCollection::Append(TKivDictionary& dictionary,
                                           std::unique_ptr<TKivDictionary> owned) {
  TMember member;
  member.Dictionary = &dictionary;
  member.Owned = std::move(owned);
  FMembers.push_back(std::move(member));
  dictionary.AddObserver(this);
  return DictionaryCount() - 1;
}

void TDictionaryCollection::Remove(TKivDictionary& dictionary) {
  Forget(dictionary);
}

void TDictionaryCollection::DictionaryDestroying(TKivDictionary& dictionary) {
  Forget(dictionary);
}

void TDictionaryCollection::Forget(TKivDictionary& dictionary) {
  if (MemberOf(dictionary) == nullptr) return;
  Disconnect(dictionary);
  if (FActive == &dictionary) SetActive(nullptr);
  if (FManager.Unqueue(dictionary))
    FTotalBytes -= std::min(FTotalBytes, dictionary.Head().FileSize);
  dictionary.RemoveObserver(this);
  const std::int32_t index = IndexOf(&dictionary);
  if (index < 0) return;  // an event handler took it out already
  std::unique_ptr<TKivDictionary> owned = std::move(FMembers[index].Owned);
  FMembers.erase(FMembers.begin() + index);
  owned.reset();
}

void TDictionaryCollection::Connect(TKivDictionary& dictionary, bool incremental) {
  if (TMember* member = MemberOf(dictionary))
    DoConnect(*member, incremental, !dictionary.Loading());
}

void TDictionaryCollection::DoConnect(TMember& member, bool incremental, bool readable) {
  if (member.Connected != incremental) return;
  TKivDictionary& dictionary = *member.Dictionary;
  if (!incremental) {
    ++FConnectedCount;
    member.Connected = true;
    dictionary.SetConnected(true);
  }
  if (readable && dictionary.Entries().Count() > 0) {
    MergeEntries(member, incremental);
    ListChanged();
  }
  if (!FDestroying) OnConnect(*this, IndexOf(&dictionary));
}

void TDictionaryCollection::Disconnect(TKivDictionary& dictionary) {
  TMember* member = MemberOf(dictionary);
  if (member == nullptr || !member->Connected) return;
  --FConnectedCount;
  member->Connected = false;
  dictionary.SetConnected(false);
  if (dictionary.Count() > 0 || member->MergedCount > 0) {
    DropPointers(*member);
    ListChanged();
  }
  if (!FDestroying) OnDisconnect(*this, IndexOf(&dictionary));
}

void TDictionaryCollection::SetActive(TKivDictionary* dictionary) {
  if (dictionary == FActive) return;
  if (dictionary != nullptr) {
    if (MemberOf(*dictionary) == nullptr) return;
    if (dictionary->Head().Flags & kHeadReadOnly) {
      ShowMessage(kRefusedBefore + dictionary->Head().Title + kRefusedAfter);
      return;
    }
  }
  FActive = dictionary;
  if (!FDestroying) OnActiveDictionary(*this);
}

void TDictionaryCollection::MergeEntries(TMember& member, bool incremental) {
  const std::span<TArticleItem* const> items = member.Dictionary->Entries().Items();
  const std::size_t count = items.size();
  member.Ranges = member.Dictionary->Entries().Ranges();
  const bool resume = incremental && !member.FullMerge && member.MergedCount > 0;
  member.MergedCount = static_cast<std::int32_t>(count);
  member.FullMerge = false;
  if (FConnectedCount == 1) {
    FList.clear();
    FList.reserve(count);
    std::copy_if(items.begin(), items.end(), std::back_inserter(FList),
                 [](const TArticleItem* item) { return item != nullptr; });
    return;
  }

  std::size_t m = 0;  // next of the old list
  std::size_t d = 0;  // next of the dictionary
  TEntryPointers merged;
  if (resume) {
    // Resume after the last of its entries already in the list.
    std::size_t last = FList.size();
    while (last > 0 && !member.Ranges.Holds(FList[last - 1])) --last;
    const std::int32_t at =
        last > 0 ? member.Dictionary->Entries().IndexOf(FList[last - 1]->Word) : -1;
    if (at >= 0) {
      d = static_cast<std::size_t>(at) + 1;
      m = last;
      if (d >= count) return;
    }
  }
  merged.reserve(FList.size() + count - d);
  merged.assign(FList.begin(), FList.begin() + static_cast<std::ptrdiff_t>(m));
  while (m < FList.size() && d < count) {
    TArticleItem* const ours = FList[m];
    TArticleItem* const theirs = items[d];
    if (theirs == nullptr) {
      ++d;
      continue;
    }
    const int order = CompareWords(ours->Word, theirs->Word);
    if (order > 0) {
      merged.push_back(theirs);
      ++d;
    } else {
      if (order == 0) {
        ours->Flags |= kFlagInOtherDictionary;
        ++d;
      }
      merged.push_back(ours);
      ++m;
    }
  }
  merged.insert(merged.end(), FList.begin() + static_cast<std::ptrdiff_t>(m), FList.end());
  for (; d < count; ++d)
    if (items[d] != nullptr) merged.push_back(items[d]);
  FList.swap(merged);
}

void TDictionaryCollection::DropPointers(TMember& member) {
  TEntryPointers kept;
  kept.reserve(FList.size());
  for (TArticleItem* item : FList) {
    if (!member.Ranges.Holds(item)) {
      kept.push_back(item);
      continue;
    }
    if (!(item->Flags & kFlagInOtherDictionary)) continue;
    item->Flags &= kNotOther;
    if (TArticleItem* other = FindInOthers(item->Word, &member)) {
      other->Flags |= kFlagInOtherDictionary;
      kept.push_back(other);
    }
  }
  FList.swap(kept);
  member.MergedCount = 0;
  member.FullMerge = false;
  member.Ranges = {};
}

TArticleItem* TDictionaryCollection::FindInOthers(std::string_view word, const TMember* except) {
  for (TMember& member : FMembers) {
    if (&member == except || !member.Connected) continue;
    if (member.Dictionary->Loading()) {
      // Its entries cannot be read now: let its next merge look at all of them.
      member.FullMerge = true;
      continue;
    }
    TArticleList& entries = member.Dictionary->Entries();
    const std::int32_t index = entries.IndexOf(word);
    if (index >= 0) return entries.Get(index);
  }
  return nullptr;
}

std::size_t TDictionaryCollection::LowerBound(std::string_view word) const {
  return static_cast<std::size_t>(
      std::lower_bound(FList.begin(), FList.end(), word,
                       [](const TArticleItem* item, std::string_view w) {
                         return CompareWords(item->Word, w) < 0;
                       }) -
      FList.begin());
}

bool TDictionaryCollection::RemoveEntry(TMember& member, TArticleItem* item) {
  const std::size_t pos = LowerBound(item->Word);
  if (pos == FList.size() || CompareWords(FList[pos]->Word, item->Word) != 0) return false;
  if (FList[pos] != item) return true;  // another dictionary's entry stands for the word
  TArticleItem* other = nullptr;
  if (item->Flags & kFlagInOtherDictionary) other = FindInOthers(item->Word, &member);
  item->Flags &= kNotOther;
  if (other != nullptr) {
    other->Flags |= kFlagInOtherDictionary;
    FList[pos] = other;
  } else {
    FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(pos));
  }
  return true;
}

void TDictionaryCollection::TakeEntry(TArticleItem* item, std::string_view word) {
  const std::size_t pos = LowerBound(word);
  if (pos < FList.size() && CompareWords(FList[pos]->Word, word) == 0) {
    FList[pos]->Flags |= kFlagInOtherDictionary;
    item->Flags |= kFlagInOtherDictionary;
    return;
  }
  FList.insert(FList.begin() + static_cast<std::ptrdiff_t>(pos), item);
}

TArticleItem* TDictionaryCollection::Item(std::int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FList[index];
}

std::int32_t TDictionaryCollection::AddWord(std::string_view word) {
  if (FActive == nullptr) return -1;
  const std::int32_t result = FActive->AddWord(word);
  return result < 0 ? result : Find(word);
}

std::int32_t TDictionaryCollection::Find(std::string_view word) const {
  if (word.empty()) return -1;
  const std::size_t pos = LowerBound(word);
  if (pos == FList.size() || CompareWords(FList[pos]->Word, word) != 0) return -1;
  return static_cast<std::int32_t>(pos);
}

TKivDictionary* TDictionaryCollection::Owner(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  for (const TMember& member : FMembers)
    if (member.Connected && member.Ranges.Holds(FList[index])) return member.Dictionary;
  return nullptr;
}

std::vector<std::pair<TKivDictionary*, TArticleItem*>> TDictionaryCollection::HeldEntries(
    std::int32_t index) const {
  std::vector<std::pair<TKivDictionary*, TArticleItem*>> held;
  if (index < 0 || index >= Count()) return held;
  TArticleItem* const item = FList[index];
  for (const TMember& member : FMembers) {
    if (!member.Connected) continue;
    if (member.Ranges.Holds(item)) {
      held.emplace_back(member.Dictionary, item);
    } else if (!member.Dictionary->Loading()) {
      TArticleList& entries = member.Dictionary->Entries();
      const std::int32_t at = entries.IndexOf(item->Word);
      if (at >= 0) held.emplace_back(member.Dictionary, entries.Get(at));
    }
  }
  return held;
}

TKivDictionaries TDictionaryCollection::Holders(std::int32_t index) const {
  TKivDictionaries holders;
  for (const auto& [dictionary, item] : HeldEntries(index)) holders.push_back(dictionary);
  return holders;
}

std::string TDictionaryCollection::Description(std::int32_t index) const {
  std::vector<std::pair<const TKivDictionary*, std::string>> described;
  for (const auto& [dictionary, item] : HeldEntries(index)) {
    if (dictionary->Loading()) continue;
    std::string text = dictionary->GetDescription(dictionary->Entries().IndexOf(item->Word));
    if (!text.empty()) described.emplace_back(dictionary, std::move(text));
  }
  if (described.empty()) return {};
  std::string result = described[0].second + "\n\r";
  for (std::size_t i = 1; i < described.size(); ++i)
    result += kHolderOpen + described[i].first->Name() + "]\n\r" + described[i].second + "\n\r";
  if (described.size() > 1) result.insert(0, kHolderOpen + described[0].first->Name() + "]\n\r");
  result.resize(result.size() - 2);
  return result;
}

std::int32_t TDictionaryCollection::ActiveEntryOf(std::int32_t index) {
  if (FActive == nullptr || index < 0 || index >= Count()) return -1;
  const std::string word = FList[index]->Word;  // the list may change while loading
  TKivDictionary& active = *FActive;
  active.EnsureLoaded();
  Connect(active);
  return active.Entries().IndexOf(word);
}

void TDictionaryCollection::SetEntryDescription(std::int32_t index, std::string_view text) {
  const std::int32_t at = ActiveEntryOf(index);
  if (at >= 0) FActive->SetDescription(at, text);
}

void TDictionaryCollection::DeleteEntry(std::int32_t index) {
  const std::int32_t at = ActiveEntryOf(index);
  if (at >= 0) FActive->DeleteWord(at);
}

bool TDictionaryCollection::Matches(std::int32_t index) const {
  if (index < 0 || index >= Count()) return false;
  return FStringSearcher == nullptr || (FList[index]->Flags & kFlagShown) != 0;
}

void TDictionaryCollection::CopyToClipboard(const std::vector<std::int32_t>& indices) const {
  TClipboardData data;
  for (const std::int32_t index : indices) {
    if (index < 0 || index >= Count()) continue;
    if (!data.Text.empty()) data.Text += "\r\n";
    data.Text += FList[index]->Word;
    data.Article += FList[index]->Word;
  }
  data.Article.push_back('\0');
  PutOnClipboard(data);
}

void TDictionaryCollection::ClearAll() {
  FList.clear();
  for (TMember& member : FMembers) {
    member.MergedCount = 0;
    member.Ranges = {};
  }
  for (std::size_t i = 0; i < FMembers.size(); ++i) FMembers[i].Dictionary->ClearAll();
  ListChanged();
}

void TDictionaryCollection::QueueLoad(TKivDictionary& dictionary) {
  if (MemberOf(dictionary) == nullptr) return;
  try {
    dictionary.StartLoad(this);
  } catch (const EDictionaryError&) {
    DictionaryLoaded(dictionary);  // a load that failed at once: its LoadFailure says why
    return;
  }
  // A file gone since it was listed fails without starting.
  if (!dictionary.Loading() && !dictionary.Loaded() && dictionary.LoadFailure())
    DictionaryLoaded(dictionary);
}

void TDictionaryCollection::LoadNow(const TKivDictionaries& dictionaries) {
  SynchronizeWhile([this] { return FManager.Running(); });
  TKivDictionaries loads;
  for (TKivDictionary* dictionary : dictionaries) {
    if (MemberOf(*dictionary) == nullptr || dictionary->Loaded() || dictionary->Loading() ||
        std::find(loads.begin(), loads.end(), dictionary) != loads.end())
      continue;
    dictionary->ReadHeader();
    loads.push_back(dictionary);
  }
  FTotalBytes = 0;
  FLoadedBytes = 0;
  FOverflowShown = false;
  for (TKivDictionary* dictionary : loads) FTotalBytes += dictionary->Head().FileSize;
  FLoadingNow = true;
  try {
    for (TKivDictionary* dictionary : loads) {
      dictionary->DoProgress(kStageStarted, 0, "Loading");
      dictionary->Load();
    }
  } catch (...) {
    FLoadingNow = false;
    throw;
  }
  FLoadingNow = false;
  LoadsDone();
}

bool TDictionaryCollection::AcceptLoad(TKivDictionary& dictionary) {
  if (FDestroying || MemberOf(dictionary) == nullptr) return false;
  if (!FManager.Running()) {
    FTotalBytes = 0;
    FLoadedBytes = 0;
    FOverflowShown = false;
  }
  FTotalBytes += dictionary.Head().FileSize;
  FManager.Queue(dictionary);
  return true;
}

void TDictionaryCollection::DictionaryProgress(TKivDictionary& dictionary, std::uint8_t stage,
                                               std::uint8_t /*percent*/, const std::string& text,
                                               std::uint64_t bytes) {
  TMember* member = MemberOf(dictionary);
  if (FDestroying || member == nullptr) return;
  FLoadedBytes += bytes;
  std::uint64_t percent = FTotalBytes == 0              ? 0
                          : FLoadedBytes == FTotalBytes ? 100
                                                        : FLoadedBytes * 100 / FTotalBytes;
  // While the loader waits here its entries may be read: show the first of them early,
  // unless nothing can be shown before the load ends.
  if (stage == kStageReading && !FLoadingNow && member->MergedCount == 0 && member->Connected &&
      dictionary.Kind() == TDictKind::kBinary)
    DoConnect(*member, true, true);
  if (percent > 100) {
    if (!FOverflowShown)
      ShowMessage("Progress > 100%\r\nProc: DoDictionaryProgress\r\nFBytesLoaded=%d" +
                  std::to_string(FLoadedBytes) + "\r\nFTotalBytes" + std::to_string(FTotalBytes));
    FOverflowShown = true;
    percent = 100;
  }
  OnProgress(&dictionary, stage, static_cast<std::uint8_t>(percent), text);
}

void TDictionaryCollection::LoadsDone() {
  FTotalBytes = 0;
  FLoadedBytes = 0;
  FOverflowShown = false;
  if (!FDestroying) OnProgress(nullptr, kStageAllDone, 100, "");
}

void TDictionaryCollection::DictionaryLoaded(TKivDictionary& dictionary) {
  TMember* member = MemberOf(dictionary);
  if (FDestroying || member == nullptr) return;
  if (dictionary.LoadFailure()) {
    Disconnect(dictionary);
    // A handler may take it out of the collection; its index is taken first.
    OnLoadFailed(*this, IndexOf(&dictionary));
    return;
  }
  if (!member->Connected) return;
  MergeEntries(*member, true);
  ListChanged();
}

void TDictionaryCollection::ConnectDictionary(TKivDictionary& dictionary) {
  Connect(dictionary);
}

void TDictionaryCollection::EntryAdded(TKivDictionary& dictionary, std::int32_t index) {
  TMember* member = MemberOf(dictionary);
  if (member == nullptr || !member->Connected) return;
  TArticleItem* item = dictionary.Entries().Get(index);
  member->Ranges = dictionary.Entries().Ranges();
  member->MergedCount = dictionary.Entries().Count();
  TakeEntry(item, item->Word);
  ListChanged();
}

void TDictionaryCollection::EntryMoving(TKivDictionary& dictionary, std::int32_t index,
                                        std::string_view word) {
  TMember* member = MemberOf(dictionary);
  if (member == nullptr || !member->Connected) return;
  TArticleItem* item = dictionary.Entries().Get(index);
  if (!RemoveEntry(*member, item)) ShowMessage("Can't replace article \"" + item->Word + "\"");
  TakeEntry(item, word);
}

void TDictionaryCollection::EntryRemoving(TKivDictionary& dictionary, std::int32_t index) {
  TMember* member = MemberOf(dictionary);
  if (member == nullptr || !member->Connected) return;
  TArticleItem* item = dictionary.Entries().Get(index);
  if (!RemoveEntry(*member, item)) ShowMessage("Can't delete article \"" + item->Word + "\"");
  member->MergedCount = std::max(0, member->MergedCount - 1);
}

void TDictionaryCollection::EntriesChanged(TKivDictionary& dictionary) {
  const TMember* member = MemberOf(dictionary);
  if (member != nullptr && member->Connected) ListChanged();
}

void TDictionaryCollection::EntriesReleasing(TKivDictionary& dictionary) {
  TMember* member = MemberOf(dictionary);
  if (member == nullptr || member->MergedCount == 0) return;
  DropPointers(*member);
  ListChanged();
}

void TDictionaryCollection::ListChanged() {
  if (!FDestroying) OnListChange(*this);
}

}  // namespace gryvel
