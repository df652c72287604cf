#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/event.h"
#include "dictionary/article_list.h"
#include "dictionary/file_io.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/load_manager.h"

// Every open dictionary, the active one, and one merged list of entry pointers over the
// connected ones, in word order with one pointer per distinct word. The searches, the result
// source and the word list see the dictionaries only through this list. The collection also
// loads its dictionaries in the background, one at a time.

namespace gryvel {

class TStringSearcher;

using TKivDictionaries = std::vector<TKivDictionary*>;

// Flag kFlagInOtherDictionary on a merged entry means another connected dictionary may hold
// the same word; it is consulted when the entry leaves the list, so that the word stays.
//
// Thread safety: for the UI thread only (the loader threads reach it through Synchronize).
// Entries of a dictionary that is still loading are read only inside its progress and
// completion calls, while its loader waits; at other times such a dictionary answers only for
// the entries already merged.
class TDictionaryCollection : private TDictionaryObserver {
 public:
  // Events have any number of listeners (see TEvent).
  using TNotify = TEvent<TDictionaryCollection&>;
  using TDictionaryNotify = TEvent<TDictionaryCollection&, std::int32_t /*index*/>;
  // `sender` is the reporting dictionary, null for the final report (stage kStageAllDone).
  using TProgress = TEvent<TKivDictionary* /*sender*/, std::uint8_t /*stage*/,
                           std::uint8_t /*percent*/, const std::string& /*message*/>;

  // Dictionaries it creates reach their files through `file_system` (borrowed; the real one
  // when null).
  explicit TDictionaryCollection(TFileSystem* file_system = nullptr);
  // Stops the loading (a running load is cancelled, the queue dropped), frees the
  // dictionaries it owns and lets go of the others. No event fires from then on.
  // REQUIRES: the UI thread.
  ~TDictionaryCollection() override;
  TDictionaryCollection(const TDictionaryCollection&) = delete;
  TDictionaryCollection& operator=(const TDictionaryCollection&) = delete;

  TNotify OnActiveDictionary;
  TDictionaryNotify OnConnect;
  TDictionaryNotify OnDisconnect;
  TProgress OnProgress;
  // A dictionary's load failed (see TKivDictionary::LoadFailure); a connected one has been
  // disconnected first. It stays in the collection: connecting and loading it again retries.
  TDictionaryNotify OnLoadFailed;
  // The merged list changed.
  TNotify OnListChange;
  // The collection is being destroyed (fired first, before anything goes).
  TNotify OnDestroy;

  // Where its dictionaries' files are.
  TFileSystem& FileSystem() const {
    return FFileSystem != nullptr ? *FFileSystem : PosixFileSystem();
  }

  // The searcher working on the merged list (borrowed); see Matches.
  TStringSearcher* StringSearcher() const { return FStringSearcher; }
  void SetStringSearcher(TStringSearcher* searcher) { FStringSearcher = searcher; }

  // Dictionaries in order of addition; the position is the dictionary index.
  std::int32_t DictionaryCount() const { return static_cast<std::int32_t>(FMembers.size()); }
  TKivDictionary* Dictionary(std::int32_t index) const;
  std::int32_t IndexOf(const TKivDictionary* dictionary) const;
  std::int32_t ConnectedCount() const { return FConnectedCount; }
  TKivDictionary* Active() const { return FActive; }

  // Opens `file_name` as a new owned dictionary and reads its header; returns its index, or
  // -1 when a dictionary of that name (ignoring ASCII case) is present. When the file cannot be
  // opened: raises EDictionaryError, or with `keep_unreadable` adds the dictionary all the
  // same, its LoadFailure saying why.
  std::int32_t AddDictionary(const std::string& file_name, bool keep_unreadable = false);
  // A new empty owned dictionary, marked Loaded; returns its index.
  std::int32_t NewDictionary();
  // Adds a dictionary owned elsewhere (it must outlive its membership); -1 when present.
  std::int32_t Add(TKivDictionary& dictionary);
  // Disconnects `dictionary`, drops it from the load queue and from the collection; frees it
  // when owned (which cancels a running load).
  void Remove(TKivDictionary& dictionary);

  // Connects `dictionary` and merges its entries. An incremental call merges only the entries
  // of a connected dictionary not merged yet. A dictionary still loading is merged during its
  // load and when it ends. Fires OnConnect.
  void Connect(TKivDictionary& dictionary, bool incremental = false);
  // Takes the dictionary's entries out of the merged list, keeping every word another
  // connected dictionary holds. Fires OnDisconnect.
  void Disconnect(TKivDictionary& dictionary);
  // Makes `dictionary` (or none) the one that receives new words and fires
  // OnActiveDictionary. A read-only dictionary is refused with a message.
  void SetActive(TKivDictionary* dictionary);

  // Loads `dictionary` in the background (StartLoad through this collection's queue). A file
  // that cannot be opened, is gone or is a folder ends as a failed load at once (OnLoadFailed).
  void QueueLoad(TKivDictionary& dictionary);
  // Loads the members among `dictionaries` that are neither loaded nor loading, one after
  // another on the calling thread, reporting progress as a background run does (stage
  // kStageAllDone last). For a caller that waits for the loads anyway: nothing is handed
  // between threads, and entries are merged once, when each load ends. A background run
  // going on is waited for first. Raises what ReadHeader raises. REQUIRES: the UI thread.
  void LoadNow(const TKivDictionaries& dictionaries);
  // Dictionaries queued in the current loading run.
  std::size_t LoadingCount() const { return FManager.QueuedCount(); }

  // The merged list.
  std::int32_t Count() const { return static_cast<std::int32_t>(FList.size()); }
  const TEntryPointers& Items() const { return FList; }
  // Raises EListError for an index out of range.
  TArticleItem* Item(std::int32_t index) const;

  // Adds `word` to the active dictionary; returns its merged index, -1 without an active
  // dictionary or when refused, and the dictionary's -2 (empty word) and -3 (present).
  std::int32_t AddWord(std::string_view word);
  // The merged index of the entry comparing equal to `word`, or -1.
  std::int32_t Find(std::string_view word) const;
  // The first merged index whose word is not less than `word`; Count() when none is.
  std::int32_t FindPosition(std::string_view word) const {
    return static_cast<std::int32_t>(LowerBound(word));
  }
  // The first connected dictionary holding the record of entry `index`, or null.
  TKivDictionary* Owner(std::int32_t index) const;
  // Every connected dictionary that holds the word of entry `index`, in collection order.
  TKivDictionaries Holders(std::int32_t index) const;
  // (dictionary, its record of the word) for every holder of entry `index`, as Holders.
  std::vector<std::pair<TKivDictionary*, TArticleItem*>> HeldEntries(std::int32_t index) const;
  // The descriptions of the word of entry `index` in its holders: one alone as it is;
  // several each under "[ • name]".
  std::string Description(std::int32_t index) const;
  // On the active dictionary, for the word of entry `index` (loading and connecting it
  // first): SetDescription / DeleteWord. Nothing when it does not hold the word.
  void SetEntryDescription(std::int32_t index, std::string_view text);
  void DeleteEntry(std::int32_t index);
  // The visibility test of the result source: true without a searcher, else the entry's
  // kFlagShown.
  bool Matches(std::int32_t index) const;
  // Puts the words of the entries `indices` on the clipboard: as text joined by CR LF, and in
  // the entry format concatenated with one zero byte at the end.
  void CopyToClipboard(const std::vector<std::int32_t>& indices) const;
  // Empties every dictionary and the merged list.
  void ClearAll();

 private:
  struct TMember {
    TKivDictionary* Dictionary = nullptr;
    std::unique_ptr<TKivDictionary> Owned;
    bool Connected = false;
    std::int32_t MergedCount = 0;  // entries merged so far
    bool FullMerge = false;        // the next merge must not resume where the last one stopped
    TRecordRanges Ranges;          // where its records were at its last merge
  };

  TMember* MemberOf(const TKivDictionary& dictionary);
  const TMember* MemberOf(const TKivDictionary& dictionary) const;
  std::int32_t Append(TKivDictionary& dictionary, std::unique_ptr<TKivDictionary> owned);
  // Disconnects the dictionary, drops it from the queue and the collection, frees it if owned.
  void Forget(TKivDictionary& dictionary);
  // Connect, with `readable` saying whether the dictionary's entries may be read now.
  void DoConnect(TMember& member, bool incremental, bool readable);
  // Merges the member's entries into the list, all or those after the last merged one.
  void MergeEntries(TMember& member, bool incremental);
  // Takes every pointer of the member out of the list.
  void DropPointers(TMember& member);
  // Takes `item` (of `member`) out of the list; false when its word is not in the list.
  bool RemoveEntry(TMember& member, TArticleItem* item);
  // Puts `item` into the list under `word`, or marks it and the entry already there.
  void TakeEntry(TArticleItem* item, std::string_view word);
  // The entry of `word` in the first connected dictionary other than `except`, or null.
  TArticleItem* FindInOthers(std::string_view word, const TMember* except);
  // The first merged index whose word is not less than `word`.
  std::size_t LowerBound(std::string_view word) const;
  // The active dictionary's entry of the word of merged entry `index`, after loading and
  // connecting the dictionary; -1 when there is none.
  std::int32_t ActiveEntryOf(std::int32_t index);
  void ListChanged();
  void LoadsDone();

  // TDictionaryObserver
  void DictionaryProgress(TKivDictionary& dictionary, std::uint8_t stage, std::uint8_t percent,
                          const std::string& text, std::uint64_t bytes) override;
  void DictionaryLoaded(TKivDictionary& dictionary) override;
  void ConnectDictionary(TKivDictionary& dictionary) override;
  void EntryAdded(TKivDictionary& dictionary, std::int32_t index) override;
  void EntryMoving(TKivDictionary& dictionary, std::int32_t index, std::string_view word) override;
  void EntryRemoving(TKivDictionary& dictionary, std::int32_t index) override;
  void EntriesChanged(TKivDictionary& dictionary) override;
  void EntriesReleasing(TKivDictionary& dictionary) override;
  bool AcceptLoad(TKivDictionary& dictionary) override;
  void DictionaryDestroying(TKivDictionary& dictionary) override;

  TFileSystem* FFileSystem;
  TStringSearcher* FStringSearcher = nullptr;
  std::vector<TMember> FMembers;
  TEntryPointers FList;  // the merged list
  std::int32_t FConnectedCount = 0;
  TKivDictionary* FActive = nullptr;
  std::uint64_t FTotalBytes = 0;   // file sizes of the dictionaries queued in this run
  std::uint64_t FLoadedBytes = 0;  // bytes read so far in this run
  bool FOverflowShown = false;     // the percent passed 100 in this run
  bool FLoadingNow = false;        // LoadNow is running its loads
  bool FDestroying = false;
  TLoadManager FManager;  // last: stopped before the members go
};

}  // namespace gryvel
