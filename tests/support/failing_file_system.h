#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "dictionary/file_io.h"

namespace gryvel::testing {

// The real file system, except that the files it writes fail on purpose: an Append fails once
// `fail_after_bytes` bytes have been written (with "No space left on device"), or Commit fails
// before the rename; and one file may refuse to be opened for reading, as a file without read
// permission does for a user other than root.
class FailingFileSystem : public TFileSystem {
 public:
  static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

  void FailAfterBytes(std::size_t bytes) { fail_after_bytes_ = bytes; }
  void FailCommit(bool fail) { fail_commit_ = fail; }
  // Opening `path` for reading fails with `error` (an errno value).
  void FailReading(std::string path, int error) {
    unreadable_ = std::move(path);
    read_error_ = error;
  }

  bool FileExists(const std::string& path) override;
  std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                            int* error) override;
  std::unique_ptr<TWriteFile> CreateReplacing(const std::string& path, TStatus* status) override;

 private:
  std::size_t fail_after_bytes_ = kNever;
  bool fail_commit_ = false;
  std::string unreadable_;
  int read_error_ = 0;
};

}  // namespace gryvel::testing
