#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "dictionary/article_list.h"
#include "dictionary/description_table.h"
#include "dictionary/dict_head.h"
#include "dictionary/file_io.h"
#include "dictionary/kiv_header.h"
#include "dictionary/load_job.h"

// One dictionary file in memory: its header, its entries, the descriptions changed in memory
// and the state of its load. All editing of entries goes through it, so that the collections
// holding it and the description table stay in step with the entry indices.

namespace gryvel {

class TKivDictionary;
class TLoadSingleDictionaryThread;

// What the dictionary kind byte says about its file.
enum class TDictKind : std::uint8_t { kUnknown = 0, kBinary = 1, kText = 2 };

// Progress stages of a load.
inline constexpr std::uint8_t kStageStarted = 0;
inline constexpr std::uint8_t kStageReading = 1;
inline constexpr std::uint8_t kStageLoaded = 2;
inline constexpr std::uint8_t kStageMerged = 3;
inline constexpr std::uint8_t kStageAllDone = 4;

// A collection that holds the dictionary and keeps a merged list of pointers to its entries.
// The dictionary tells it of every change of its entry list. Calls come on the UI thread; the
// defaults do nothing.
class TDictionaryObserver {
 public:
  virtual ~TDictionaryObserver() = default;

  // A load reports `stage` with `percent` of the file and `text`; `bytes` were read since the
  // previous report.
  virtual void DictionaryProgress(TKivDictionary&, std::uint8_t /*stage*/, std::uint8_t /*percent*/,
                                  const std::string& /*text*/, std::uint64_t /*bytes*/) {}
  // The load finished: merge the entries not merged yet, if connected.
  virtual void DictionaryLoaded(TKivDictionary&) {}
  // A word is about to be added to a dictionary that is not connected: connect it.
  virtual void ConnectDictionary(TKivDictionary&) {}
  // Entry `index` was inserted.
  virtual void EntryAdded(TKivDictionary&, std::int32_t /*index*/) {}
  // Entry `index` is about to get `word` and move to that word's place.
  virtual void EntryMoving(TKivDictionary&, std::int32_t /*index*/, std::string_view /*word*/) {}
  // Entry `index` is about to be deleted.
  virtual void EntryRemoving(TKivDictionary&, std::int32_t /*index*/) {}
  // The entry list changed after a move or a deletion.
  virtual void EntriesChanged(TKivDictionary&) {}
  // The entries are about to be emptied (a new load, a failed or cancelled one, ClearAll):
  // pointers to them must be dropped now.
  virtual void EntriesReleasing(TKivDictionary&) {}
  // A load is starting: return true to run it in the background (the dictionary is Loading
  // until the observer's loader ends it); false leaves it to the next observer.
  virtual bool AcceptLoad(TKivDictionary&) { return false; }
  // The dictionary is being destroyed; no further calls follow.
  virtual void DictionaryDestroying(TKivDictionary&) {}
};

// What a load can be told while it runs.
struct TLoadOptions {
  const std::atomic<bool>* Cancel = nullptr;  // set to stop the load
};

// Thread safety: the operations are for the UI thread. While Loading(), a load (on this or, in
// a collection, a loader thread) writes the entries, the description table and the load
// position; other code reads only Count() then, which reads the atomic load position, except
// inside the progress and completion calls, during which the loader waits. Every other step of
// a load runs on the UI thread through Synchronize.
class TKivDictionary {
 public:
  using TNotify = std::function<void(TKivDictionary&)>;

  // Not modified, not loaded; header zero except version 2, language "RUS" and random reserved
  // bytes; character set kCharSetDefault. Files are reached through `file_system` (borrowed,
  // it must outlive the dictionary), the real one when null.
  explicit TKivDictionary(TFileSystem* file_system = nullptr);
  // Observers hear DictionaryDestroying; a running load is cancelled and waited for.
  // REQUIRES: the UI thread.
  ~TKivDictionary();
  TKivDictionary(const TKivDictionary&) = delete;
  TKivDictionary& operator=(const TKivDictionary&) = delete;

  TNotify OnChange;
  TNotify OnCountChange;
  TNotify OnFileNameChange;

  // A native path.
  const std::string& FileName() const { return FFileName; }
  // Stores a name that differs; fires OnFileNameChange, then OnChange, only when it differs
  // ignoring ASCII case (a change of case alone is kept quietly: the file system tells the
  // names apart).
  void SetFileName(const std::string& name);

  // The display name.
  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }

  const TDictHead& Head() const { return FHead; }
  // The header of the file: the held copy once read (unless the last load failed: the file
  // may have been mended or replaced since), else read from the file (kind, version-1 marker
  // and character set follow it). Returns an empty header, touching nothing, while
  // loading or when the file does not exist. Raises EDictionaryError ("%s: %s", the system's
  // text and the file name) when the file cannot be opened. A file that cannot be opened, and a
  // damaged header, are also kept as the LoadFailure.
  TDictHead ReadHeader();
  // Replaces the header; a "kiv" signature makes the kind binary.
  void SetHeader(const TDictHead& head);
  bool HeaderRead() const { return FHeaderRead; }

  std::uint8_t CharSet() const { return FCharSet; }
  TDictKind Kind() const { return FKind; }
  bool Version1() const { return FVersion1; }

  bool Loading() const { return FLoading; }
  bool Loaded() const { return FLoaded; }
  // Why the last load, or the last reading of the header, failed; none after a good one. A
  // dictionary whose load failed is neither loaded nor editable; the next load (which reads
  // the header again) retries.
  const TLoadFailure& LoadFailure() const { return FLoadFailure; }
  // Marks a dictionary that has no file to load (one made empty by the collection) as loaded.
  void SetLoaded() { FLoaded = true; }
  bool Connected() const { return FConnected; }
  void SetConnected(bool connected) { FConnected = connected; }
  bool Modified() const { return FModified; }
  // Set by editing the properties.
  void SetModified(bool modified) { FModified = modified; }
  // Seconds the last load took.
  double LoadTime() const { return FLoadTime; }

  // Starts a load if the file exists and no load is running: ReadHeader, release the entries,
  // set Loading, and hand the load to `loader` (or, when null, to the first observer that
  // takes it, see TDictionaryObserver::AcceptLoad). When no observer takes it the load runs at
  // once on the calling thread. Raises what ReadHeader raises. A named file that is gone (or
  // is a folder) starts nothing and leaves LoadFailure saying so.
  void StartLoad(TDictionaryObserver* loader = nullptr);
  // Loads the entries on the calling thread if the file exists and no load is running:
  // ReadHeader, then the reader of the file's kind and version (none for a damaged header or
  // a version other than 1 and 2), then the completion step, which marks the dictionary
  // unmodified, and Loaded unless the load failed (its entries are then emptied and
  // LoadFailure says why). A cancelled load ends not loaded and empty. Warnings are shown on
  // the UI thread. Raises what ReadHeader raises.
  void Load(const TLoadOptions& options = {});
  // StartLoad unless Loaded; then, while Loading, runs the loader's synchronised calls until
  // it ends. REQUIRES: the UI thread, outside the dictionary's own progress reports.
  void EnsureLoaded();

  // While loading, the entries read so far; otherwise the number of entries.
  std::int32_t Count() const;
  TArticleList& Entries() { return FEntries; }
  const TArticleList& Entries() const { return FEntries; }
  const TDescriptions& Descriptions() const { return FDescriptions; }

  // Inserts `word` in word order; returns its entry index, -2 for an empty word, -3 when the
  // word is present, -1 when memory runs out or the dictionary cannot be loaded.
  std::int32_t AddWord(std::string_view word);
  // Gives entry `index` the word `word`, moving it to its place; returns the new index, or -1
  // when the index is out of range, the word is empty, compares equal to the current one or
  // belongs to another entry.
  std::int32_t ChangeWord(std::int32_t index, std::string_view word);
  // Deletes entry `index`. Raises EListError for an index out of range.
  void DeleteWord(std::int32_t index);

  // The description of entry `index`; empty when it has none or it cannot be read. Descriptions
  // in a version-2 file are read through one handle kept open: the file the entries were loaded
  // from, or after a save or a new file name the file under FileName(), opened when first
  // needed.
  std::string GetDescription(std::int32_t index) const;
  // As GetDescription, but fails when a description in the file cannot be read.
  TStatus ReadDescription(std::int32_t index, std::string* text) const;
  // Calls `visit` with the entry index and the description of every entry that has one, in
  // entry order, reading the file once for them all; `text` is valid during the call. Entries
  // whose description cannot be read are skipped, and the first failure is returned after the
  // walk. Nothing while loading.
  TStatus ForEachDescription(
      const std::function<void(std::int32_t index, std::string_view text)>& visit) const;
  // Sets the description of entry `index` in memory. Nothing for an empty list or an unchanged
  // text. Raises EListError for an index out of range.
  void SetDescription(std::int32_t index, std::string_view text);

  // SaveToFile(FileName()).
  TStatus Save();
  // Writes the dictionary as version 2 to `file_name` through a temporary file renamed over
  // it. On success the file name, the record offsets, the header and the flags follow the new
  // file and the description table is empty. On failure changes nothing, on disk or in memory,
  // and leaves telling the user to the caller. REQUIRES: Loaded() and not Loading().
  TStatus SaveToFile(const std::string& file_name);

  // Entry count 0, no entries, no in-memory descriptions. A running load is cancelled and a
  // queued one is waited for first; observers hear EntriesReleasing before the entries go.
  void ClearAll();

  // Passes a progress report to every observer.
  void DoProgress(std::uint8_t stage, std::uint8_t percent, const std::string& text);

  // Observers are borrowed; one must be removed before it is destroyed.
  void AddObserver(TDictionaryObserver* observer);
  void RemoveObserver(TDictionaryObserver* observer);

 private:
  friend class TLoadSingleDictionaryThread;
  friend class TLoadManager;

  using TReader = TLoadOutcome (*)(TReadFile&, const TLoadJob&);

  // A load as the UI thread prepares it for whichever thread reads the file.
  struct TLoadPlan {
    TReader Reader = nullptr;  // none for a damaged header or an unknown version
    bool Text = false;
    TLoadJob Job;
  };

  // ReadHeader, release the entries and set Loading; false when there is nothing to load or a
  // load is running.
  bool BeginLoad();
  // Runs the loader's synchronised calls until Loading is cleared.
  void WaitForLoad();
  // On the UI thread, once Loading is set: what the load will do.
  TLoadPlan PlanLoad(const TLoadOptions& options);
  // The load proper, on any thread; every step that touches shared state is synchronised.
  void RunLoad(TLoadPlan& plan);
  // The completion step of a load, on the UI thread.
  void LoadFinished();
  // Tells the observers, then empties the entries and the description table.
  void ReleaseEntries();
  // A queued load was dropped before it started.
  void LoadDropped() { FLoading = false; }
  void TakeHeader(const THeaderInfo& info);
  // The file descriptions are read from, opened when there is none; null, with the system
  // error number in *error, when it cannot be opened.
  TReadFile* DescriptionFile(int* error) const;
  void Notify(const TNotify& event);

  TFileSystem* FFileSystem;
  std::string FFileName;
  std::string FName;
  TDictHead FHead;
  bool FHeaderRead = false;
  bool FHeaderDamaged = false;
  bool FNotDictionary = false;  // named .kiv, holds no dictionary: nothing is read
  TLoadFailure FLoadFailure;
  TLoadFailure FRunFailure;  // written by the running load, taken at its end
  bool FRereadHeader = false;  // the last load failed: ReadHeader reads the file again
  std::uint8_t FCharSet = kCharSetDefault;
  TDictKind FKind = TDictKind::kUnknown;
  bool FVersion1 = false;
  TArticleList FEntries;
  TDescriptions FDescriptions;
  // Where the record offsets of the entries point; dropped whenever they may point elsewhere.
  mutable std::unique_ptr<TReadFile> FDescriptionFile;
  bool FLoading = false;
  bool FLoaded = false;
  bool FConnected = false;
  bool FModified = false;
  double FLoadTime = 0;
  std::atomic<std::int32_t> FLoadPosition{0};  // entries read by the running load
  std::uint64_t FBytesReported = 0;            // bytes of the running load reported so far
  std::uint64_t FBytesSinceReport = 0;         // bytes read since the last progress report
  std::vector<TDictionaryObserver*> FObservers;
  TLoadSingleDictionaryThread* FLoadThread = nullptr;  // the running loader, set on the UI thread
};

}  // namespace gryvel
