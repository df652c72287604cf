#include "shell/settings_file.h"

#include <exception>
#include <memory>
#include <utility>

#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "shell/default_settings.h"

namespace gryvel {

namespace {

// Far more than any settings file holds; a larger file is not one.
constexpr std::uint64_t kMaxSettingsSize = 16u << 20;

std::string Quoted(const std::string& path) {
  return "\"" + PathForMessage(path) + "\"";
}

TStatus ReadWholeFile(TFileSystem& file_system, const std::string& path, std::string* bytes) {
  int error = 0;
  const std::unique_ptr<TReadFile> file =
      file_system.OpenForReading(path, TReadAccess::kSequential, &error);
  if (file == nullptr)
    return TStatus::Error("Can't read file " + Quoted(path) + ": " + SystemErrorText(error));
  if (file->Size() > kMaxSettingsSize)
    return TStatus::Error("The settings file " + Quoted(path) + " is too large");
  bytes->resize(static_cast<std::size_t>(file->Size()));
  if (file->ReadAt(0, bytes->data(), bytes->size()) != bytes->size())
    return TStatus::Error("Can't read file " + Quoted(path));
  return TStatus::Ok();
}

TStatus WriteWholeFile(TFileSystem& file_system, const std::string& path,
                       const std::string& bytes) {
  TStatus status;
  const std::unique_ptr<TWriteFile> file = file_system.CreateReplacing(path, &status);
  if (file == nullptr) return status;
  status = file->Append(bytes.data(), bytes.size());
  if (!status.ok()) return status;
  return file->Commit();
}

}  // namespace

TStatus TSettingsFile::Read(TIniStore* store) {
  if (FInMemory || FFileSystem.FileExists(FPath)) return ReadExisting(store);
  *store = CreateDefaultSettings(FProgramDir, FFileSystem, FDataDir, FUser);
  FCreatedDefaults = true;
  // A first run in a place that cannot be written still runs with the first-run values.
  const TStatus written = WriteWholeFile(FFileSystem, FPath, store->Text());
  if (!written.ok()) {
    FInMemory = *store;
    FKeepFailure = written;
  }
  return TStatus::Ok();
}

TStatus TSettingsFile::ReadExisting(TIniStore* store) const {
  if (FInMemory) {
    *store = *FInMemory;
    return TStatus::Ok();
  }
  *store = TIniStore();
  if (!FFileSystem.FileExists(FPath)) return TStatus::Ok();
  std::string bytes;
  TStatus status = ReadWholeFile(FFileSystem, FPath, &bytes);
  if (status.ok()) *store = TIniStore(bytes);
  return status;
}

TStatus TSettingsFile::Update(const std::function<void(TIniStore&)>& change) {
  TIniStore store;
  TStatus status = Read(&store);
  if (!status.ok()) return status;
  if (FInMemory) {
    change(*FInMemory);
    return TStatus::Ok();
  }
  const std::string before = store.Text();
  change(store);
  // Values written as they were leave the file, and its time, alone.
  if (store.Text() == before) return TStatus::Ok();
  return WriteWholeFile(FFileSystem, FPath, store.Text());
}

bool ReadSettingsGroup(TSettingsFile& file, const std::string& failure_message,
                       const std::function<TStatus(const TIniStore&)>& read, bool existing_only) {
  bool ok = false;
  try {
    TIniStore store;
    ok = (existing_only ? file.ReadExisting(&store) : file.Read(&store)).ok() && read(store).ok();
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok && !failure_message.empty()) ShowMessage(failure_message);
  return ok;
}

}  // namespace gryvel
