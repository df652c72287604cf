#include "dictionary/kiv_dictionary.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <random>
#include <utility>

#include "common/ascii_case.h"
#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "common/stopwatch.h"
#include "common/synchronize.h"
#include "dictionary/kiv1_reader.h"
#include "dictionary/kiv2_reader.h"
#include "dictionary/kiv_format.h"
#include "dictionary/kiv_writer.h"
#include "dictionary/load_job.h"
#include "dictionary/load_thread.h"
#include "dictionary/text_reader.h"
#include "dictionary/word_order.h"

namespace gryvel {

namespace {

constexpr const char* kLoadTimer = "LoadDictionary";
constexpr const char* kDamagedHeader = "The header is damaged. Error opening the dictionary";
constexpr const char* kNotDictionary = "The file is not a Gryvel dictionary.";

}  // namespace

TKivDictionary::TKivDictionary(TFileSystem* file_system)
    : FFileSystem(file_system != nullptr ? file_system : &PosixFileSystem()) {
  FHead.Version = 2;
  FHead.Language = "RUS";
  std::mt19937 random(
      static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::uniform_int_distribution<int> byte(0, 254);
  for (std::uint8_t& b : FHead.ReservedBytes) b = static_cast<std::uint8_t>(byte(random));
}

TKivDictionary::~TKivDictionary() {
  for (TDictionaryObserver* observer : std::vector(FObservers))
    observer->DictionaryDestroying(*this);
  FObservers.clear();
  if (FLoadThread != nullptr) {
    FLoadThread->Cancel();
    SynchronizeWhile([this] { return FLoadThread != nullptr; });
  }
  FEntries.Clear();
}

void TKivDictionary::SetFileName(const std::string& name) {
  if (name == FFileName) return;
  const bool renamed = !EqualIgnoringAsciiCase(name, FFileName);
  FFileName = name;
  FDescriptionFile.reset();
  if (!renamed) return;
  Notify(OnFileNameChange);
  Notify(OnChange);
}

TDictHead TKivDictionary::ReadHeader() {
  if (FHeaderRead && !FRereadHeader) return FHead;
  if (FLoading || FFileName.empty() || !FFileSystem->FileExists(FFileName)) return TDictHead{};
  int error = 0;
  const std::unique_ptr<TReadFile> file =
      FFileSystem->OpenForReading(FFileName, TReadAccess::kSequential, &error);
  if (file == nullptr) {
    const std::string text = HeaderOpenErrorText(error, FFileName);
    FLoadFailure = {TLoadProblem::kCannotOpen, SystemErrorText(error), error};
    throw EDictionaryError(text);
  }
  TakeHeader(ReadHeaderFrom(*file, FFileName));
  FRereadHeader = false;
  return FHead;
}

void TKivDictionary::TakeHeader(const THeaderInfo& info) {
  FHead = info.Head;
  FHeaderDamaged = info.Damaged;
  if (info.Damaged) FLoadFailure = {TLoadProblem::kDamagedHeader, kDamagedHeader};
  if (info.NotDictionary) FLoadFailure = {TLoadProblem::kNotDictionary, kNotDictionary};
  FNotDictionary = info.NotDictionary;
  if (info.Binary) FKind = TDictKind::kBinary;
  if (FHead.Version == 1 || FHead.Version == 2) FVersion1 = info.Version1;
  FCharSet = CharSetForLanguage(FHead.Language, FCharSet);
  FHeaderRead = true;
}

void TKivDictionary::SetHeader(const TDictHead& head) {
  FHead = head;
  if (FHead.Signature == kDictSignature) FKind = TDictKind::kBinary;
  FCharSet = CharSetForLanguage(FHead.Language, FCharSet);
}

bool TKivDictionary::BeginLoad() {
  if (FLoading || FFileName.empty()) return false;
  if (!FFileSystem->FileExists(FFileName)) {
    // Gone, or a folder: the load fails at once, saying which.
    int error = ENOENT;
    (void)FFileSystem->OpenForReading(FFileName, TReadAccess::kSequential, &error);
    FLoadFailure = {TLoadProblem::kCannotOpen, SystemErrorText(error), error};
    return false;
  }
  FLoadFailure = {};
  FRunFailure = {};
  ReadHeader();
  if (FEntries.Count() > 0 || FDescriptions.Count() > 0) ReleaseEntries();
  FDescriptionFile.reset();
  FLoading = true;
  FLoadPosition.store(0);
  FBytesReported = 0;
  FBytesSinceReport = 0;
  return true;
}

void TKivDictionary::StartLoad(TDictionaryObserver* loader) {
  if (!BeginLoad()) return;
  if (loader != nullptr && loader->AcceptLoad(*this)) return;
  if (loader == nullptr)
    for (TDictionaryObserver* observer : std::vector(FObservers))
      if (observer->AcceptLoad(*this)) return;
  TLoadPlan plan = PlanLoad({});
  RunLoad(plan);
}

void TKivDictionary::Load(const TLoadOptions& options) {
  if (!BeginLoad()) return;
  TLoadPlan plan = PlanLoad(options);
  RunLoad(plan);
}

void TKivDictionary::EnsureLoaded() {
  if (!FLoaded) StartLoad();
  WaitForLoad();
}

void TKivDictionary::WaitForLoad() {
  SynchronizeWhile([this] { return FLoading; });
}

TKivDictionary::TLoadPlan TKivDictionary::PlanLoad(const TLoadOptions& options) {
  TLoadPlan plan;
  plan.Text = FKind != TDictKind::kBinary && !FNotDictionary;
  if (FNotDictionary) {
    FRunFailure = {TLoadProblem::kNotDictionary, kNotDictionary};
  } else if (plan.Text) {
    plan.Reader = LoadAsText;
  } else if (!FHeaderDamaged && FHead.Version == 1) {
    plan.Reader = LoadAsKIV1;
  } else if (!FHeaderDamaged && FHead.Version == 2) {
    plan.Reader = LoadAsKIV2;
  }
  TLoadJob& job = plan.Job;
  job.FileName = FFileName;
  job.Failure = &FRunFailure;
  if (plan.Reader == nullptr && !FNotDictionary)
    FRunFailure = FHeaderDamaged ? TLoadFailure{TLoadProblem::kDamagedHeader, kDamagedHeader}
                                 : TLoadFailure{TLoadProblem::kDamagedHeader,
                                                "Unknown version " + std::to_string(FHead.Version) +
                                                    ". Error opening the dictionary"};
  job.Head = FHead;
  job.Entries = &FEntries;
  job.Descriptions = &FDescriptions;
  job.Position = &FLoadPosition;
  job.Cancel = options.Cancel;
  job.Progress = [this](std::uint8_t percent, std::uint64_t loaded) {
    FBytesSinceReport += loaded > FBytesReported ? loaded - FBytesReported : 0;
    FBytesReported = std::max(FBytesReported, loaded);
    DoProgress(kStageReading, percent, "Reading");
  };
  return plan;
}

void TKivDictionary::RunLoad(TLoadPlan& plan) {
  Synchronize([] { TStopwatch::Start(kLoadTimer); });
  TLoadOutcome outcome = TLoadOutcome::kFailed;
  std::unique_ptr<TReadFile> file;
  if (plan.Reader != nullptr) {
    int error = 0;
    Synchronize([&] {
      file = FFileSystem->OpenForReading(FFileName, TReadAccess::kSequential, &error);
    });
    if (file == nullptr)
      FailLoad(plan.Job, TLoadProblem::kCannotOpen, SystemErrorText(error), error);
    else
      outcome = plan.Reader(*file, plan.Job);
  }
  if (outcome == TLoadOutcome::kCancelled || IsCancelled(plan.Job)) {
    Synchronize([&] {
      TStopwatch::Stop(kLoadTimer);
      ReleaseEntries();
      FLoading = false;
    });
    return;
  }
  Synchronize([&] {
    plan.Job.Progress(100, plan.Job.Head.FileSize);
    FLoadTime = TStopwatch::Stop(kLoadTimer);
    if (outcome != TLoadOutcome::kLoaded) {
      ReleaseEntries();
      FLoadFailure = FRunFailure ? std::move(FRunFailure)
                                 : TLoadFailure{TLoadProblem::kOther, "Error on reading the dictionary"};
      FRereadHeader = true;
    }
    // The file read stays open for the descriptions: the offsets point into it, whatever
    // happens under its name later.
    if (outcome == TLoadOutcome::kLoaded && plan.Reader == LoadAsKIV2)
      FDescriptionFile = std::move(file);
    if (plan.Text) {
      FKind = TDictKind::kText;
      FHead.Count = static_cast<std::uint32_t>(FEntries.Count());
    }
    LoadFinished();
  });
}

void TKivDictionary::ReleaseEntries() {
  for (TDictionaryObserver* observer : std::vector(FObservers)) observer->EntriesReleasing(*this);
  FEntries.Clear();
  FDescriptions.Clear();
  FDescriptionFile.reset();
}

void TKivDictionary::LoadFinished() {
  FLoaded = !FLoadFailure;
  FLoading = false;
  FBytesSinceReport = 0;
  DoProgress(kStageLoaded, 100, "");
  Notify(OnChange);
  FModified = false;
  for (TDictionaryObserver* observer : std::vector(FObservers)) observer->DictionaryLoaded(*this);
  DoProgress(kStageMerged, 100, "");
}

std::int32_t TKivDictionary::Count() const {
  return FLoading ? FLoadPosition.load(std::memory_order_relaxed) : FEntries.Count();
}

std::int32_t TKivDictionary::AddWord(std::string_view word) {
  EnsureLoaded();
  // Words added to what could not be read would replace the whole file when it is saved.
  if (FLoadFailure) return -1;
  if (word.empty()) return -2;
  if (!FConnected)
    for (TDictionaryObserver* observer : std::vector(FObservers))
      observer->ConnectDictionary(*this);
  if (FEntries.IndexOf(word) >= 0) return -3;
  const std::int32_t pos = FEntries.FindPosition(word);
  if (FEntries.InsertArticle(word, pos) < 0) return -1;
  FDescriptions.EntryInserted(pos);
  for (TDictionaryObserver* observer : std::vector(FObservers)) observer->EntryAdded(*this, pos);
  FModified = true;
  Notify(OnChange);
  Notify(OnCountChange);
  return pos;
}

std::int32_t TKivDictionary::ChangeWord(std::int32_t index, std::string_view word) {
  EnsureLoaded();
  if (index < 0 || index >= FEntries.Count() || word.empty()) return -1;
  TArticleItem* item = FEntries.Get(index);
  if (CompareWords(word, item->Word) == 0) return -1;
  const std::int32_t found = FEntries.IndexOf(word);
  std::int32_t result = index;
  if (found < 0) {
    std::int32_t target = FEntries.FindPosition(word);
    if (index < target) --target;
    for (TDictionaryObserver* observer : std::vector(FObservers))
      observer->EntryMoving(*this, index, word);
    item->Word.assign(word);
    FEntries.Move(index, target);
    FDescriptions.EntryMoved(index, target);
    for (TDictionaryObserver* observer : std::vector(FObservers)) observer->EntriesChanged(*this);
    result = target;
  } else if (found == index) {
    item->Word.assign(word);
  } else {
    return -1;
  }
  FModified = true;
  Notify(OnChange);
  return result;
}

void TKivDictionary::DeleteWord(std::int32_t index) {
  EnsureLoaded();
  FEntries.Get(index);  // raises for an index out of range before anything changes
  for (TDictionaryObserver* observer : std::vector(FObservers))
    observer->EntryRemoving(*this, index);
  FEntries.Delete(index);
  FDescriptions.EntryDeleted(index);
  for (TDictionaryObserver* observer : std::vector(FObservers)) observer->EntriesChanged(*this);
  FModified = true;
  Notify(OnChange);
  Notify(OnCountChange);
}

std::string TKivDictionary::GetDescription(std::int32_t index) const {
  std::string text;
  (void)ReadDescription(index, &text);
  return text;
}

TStatus TKivDictionary::ReadDescription(std::int32_t index, std::string* text) const {
  text->clear();
  if (index < 0 || index >= FEntries.Count()) return TStatus::Ok();
  const TArticleItem& item = *FEntries.Get(index);
  if (!(item.Flags & kFlagHasDescription)) return TStatus::Ok();
  if (item.Flags & kFlagDescriptionInMemory) {
    if (const std::string* held = FDescriptions.Find(index)) *text = *held;
    return TStatus::Ok();
  }
  if (FKind != TDictKind::kBinary || FHead.Version != 2 || FLoading) return TStatus::Ok();
  int error = 0;
  TReadFile* file = DescriptionFile(&error);
  if (file == nullptr) return TStatus::Error(HeaderOpenErrorText(error, FFileName));
  return ReadKiv2Description(*file, item.Offset, text);
}

TReadFile* TKivDictionary::DescriptionFile(int* error) const {
  if (FDescriptionFile == nullptr)
    FDescriptionFile = FFileSystem->OpenForReading(FFileName, TReadAccess::kRandom, error);
  return FDescriptionFile.get();
}

TStatus TKivDictionary::ForEachDescription(
    const std::function<void(std::int32_t index, std::string_view text)>& visit) const {
  if (FLoading) return TStatus::Ok();
  std::unique_ptr<TReadFile> file;
  std::unique_ptr<TKiv2DescriptionReader> reader;
  TStatus first = TStatus::Ok();
  const std::span<TArticleItem* const> items = FEntries.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TArticleItem& item = *items[i];
    const auto index = static_cast<std::int32_t>(i);
    if (!(item.Flags & kFlagHasDescription)) continue;
    if (item.Flags & kFlagDescriptionInMemory) {
      if (const std::string* held = FDescriptions.Find(index)) visit(index, *held);
      continue;
    }
    if (FKind != TDictKind::kBinary || FHead.Version != 2) continue;
    if (reader == nullptr) {
      int error = 0;
      file = FFileSystem->OpenForReading(FFileName, TReadAccess::kSequential, &error);
      if (file == nullptr) return TStatus::Error(HeaderOpenErrorText(error, FFileName));
      reader = std::make_unique<TKiv2DescriptionReader>(*file);
    }
    std::string_view text;
    TStatus status = reader->Read(item.Offset, &text);
    if (!status.ok()) {
      if (first.ok()) first = std::move(status);
      continue;
    }
    if (!text.empty()) visit(index, text);
  }
  return first;
}

void TKivDictionary::SetDescription(std::int32_t index, std::string_view text) {
  if (FEntries.Count() == 0) return;
  TArticleItem* item = FEntries.Get(index);
  if (text == GetDescription(index)) return;
  if (!(item->Flags & kFlagDescriptionInMemory)) {
    item->Flags |= kFlagDescriptionInMemory | kFlagHasDescription | kFlagChanged;
    FDescriptions.Add(index, std::string(text));
  } else if (std::string* held = FDescriptions.Find(index)) {
    held->assign(text);
  } else {
    ShowMessage("Error. Can't change description");
    return;
  }
  FModified = true;
}

TStatus TKivDictionary::Save() {
  return SaveToFile(FFileName);
}

TStatus TKivDictionary::SaveToFile(const std::string& file_name) {
  if (!FLoaded || FLoading)
    return TStatus::Error("The dictionary is not loaded. Error in saving procedure");
  if (file_name.empty())
    return TStatus::Error("No file name. Error in saving procedure");
  if (TStatus status = CheckWritable(FEntries); !status.ok()) return status;

  // Descriptions still in the old file are read from it while the new file is written: the
  // old one is replaced only when the new one is complete.
  const bool in_file = FKind == TDictKind::kBinary && FHead.Version == 2;
  std::unique_ptr<TReadAheadFile> old;
  const TDescriptionSource describe = [&](std::int32_t index, std::string* text) {
    text->clear();
    const TArticleItem& item = *FEntries.Get(index);
    if (!(item.Flags & kFlagHasDescription)) return TStatus::Ok();
    if (item.Flags & kFlagDescriptionInMemory) {
      if (const std::string* held = FDescriptions.Find(index)) *text = *held;
      return TStatus::Ok();
    }
    if (!in_file) return TStatus::Ok();
    const std::string failure = "Can't read the description of \"" + item.Word + "\" from \"" +
                                PathForMessage(FFileName) + "\"";
    if (old == nullptr) {
      int error = 0;
      TReadFile* old_file = DescriptionFile(&error);
      if (old_file == nullptr)
        return TStatus::Error(failure + ": " + SystemErrorText(error) +
                              ". Error in saving procedure");
      old = std::make_unique<TReadAheadFile>(*old_file, kReadChunk);
    }
    if (!ReadKiv2Description(*old, item.Offset, text).ok())
      return TStatus::Error(failure + ". Error in saving procedure");
    return TStatus::Ok();
  };

  TStatus status;
  std::unique_ptr<TWriteFile> out = FFileSystem->CreateReplacing(file_name, &status);
  if (out == nullptr) return status;
  TDictHead head = FHead;
  head.Signature = kDictSignature;
  head.Version = 2;
  head.Count = static_cast<std::uint32_t>(FEntries.Count());
  TWrittenKiv2 written;
  status = WriteKiv2(head, FEntries, describe, *out, &written);
  if (status.ok()) status = out->Commit();
  if (!status.ok()) return status;

  // The new file is in place: the entries now describe it, and the old one's handle reads
  // what was replaced.
  old.reset();
  FDescriptionFile.reset();
  for (std::int32_t i = 0; i < FEntries.Count(); ++i) {
    TArticleItem* item = FEntries.Get(i);
    item->Offset = written.Offsets[i];
    item->Flags &= static_cast<std::uint16_t>(~(kFlagChanged | kFlagDescriptionInMemory));
    if (written.Described[i])
      item->Flags |= kFlagHasDescription;
    else
      item->Flags &= static_cast<std::uint16_t>(~kFlagHasDescription);
  }
  FDescriptions.Clear();
  head.HeadSize = written.HeadSize;
  head.FileSize = written.FileSize;
  FHead = std::move(head);
  FKind = TDictKind::kBinary;
  FVersion1 = false;
  FHeaderRead = true;
  FHeaderDamaged = false;
  SetFileName(file_name);
  FModified = false;
  return TStatus::Ok();
}

void TKivDictionary::ClearAll() {
  if (FLoadThread != nullptr) FLoadThread->Cancel();
  WaitForLoad();
  FHead.Count = 0;
  ReleaseEntries();
}

void TKivDictionary::DoProgress(std::uint8_t stage, std::uint8_t percent, const std::string& text) {
  const std::uint64_t bytes = std::exchange(FBytesSinceReport, 0);
  for (TDictionaryObserver* observer : std::vector(FObservers))
    observer->DictionaryProgress(*this, stage, percent, text, bytes);
}

void TKivDictionary::AddObserver(TDictionaryObserver* observer) {
  if (std::find(FObservers.begin(), FObservers.end(), observer) == FObservers.end())
    FObservers.push_back(observer);
}

void TKivDictionary::RemoveObserver(TDictionaryObserver* observer) {
  FObservers.erase(std::remove(FObservers.begin(), FObservers.end(), observer), FObservers.end());
}

void TKivDictionary::Notify(const TNotify& event) {
  if (event) event(*this);
}

}  // namespace gryvel
