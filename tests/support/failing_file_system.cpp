#include "support/failing_file_system.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace gryvel::testing {

namespace {

class FailingWriteFile : public TWriteFile {
 public:
  FailingWriteFile(std::unique_ptr<TWriteFile> real, std::size_t fail_after_bytes, bool fail_commit)
      : real_(std::move(real)), budget_(fail_after_bytes), fail_commit_(fail_commit) {}

  TStatus Append(const void* data, std::size_t size) override {
    if (size > budget_) {
      // Write what fits, as a full disk would, then fail.
      (void)real_->Append(data, budget_);
      budget_ = 0;
      return TStatus::Error("Can't write file: " + SystemErrorText(ENOSPC));
    }
    budget_ -= size;
    return real_->Append(data, size);
  }

  TStatus Commit() override {
    if (fail_commit_) return TStatus::Error("Can't replace file: " + SystemErrorText(EACCES));
    return real_->Commit();
  }

 private:
  std::unique_ptr<TWriteFile> real_;
  std::size_t budget_;
  bool fail_commit_;
};

}  // namespace

bool FailingFileSystem::FileExists(const std::string& path) {
  return PosixFileSystem().FileExists(path);
}

std::unique_ptr<TReadFile> FailingFileSystem::OpenForReading(const std::string& path,
                                                             TReadAccess access, int* error) {
  if (!unreadable_.empty() && path == unreadable_) {
    *error = read_error_;
    return nullptr;
  }
  return PosixFileSystem().OpenForReading(path, access, error);
}

std::unique_ptr<TWriteFile> FailingFileSystem::CreateReplacing(const std::string& path,
                                                               TStatus* status) {
  std::unique_ptr<TWriteFile> real = PosixFileSystem().CreateReplacing(path, status);
  if (real == nullptr) return nullptr;
  return std::make_unique<FailingWriteFile>(std::move(real), fail_after_bytes_, fail_commit_);
}

}  // namespace gryvel::testing
