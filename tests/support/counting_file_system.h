#pragma once

#include <memory>
#include <string>

#include "dictionary/file_io.h"

namespace gryvel::testing {

// Another file system (borrowed) that counts the files written through it, so a test can
// prove that nothing was written.
class CountingFileSystem : public TFileSystem {
 public:
  explicit CountingFileSystem(TFileSystem& files) : files_(files) {}

  // The files started with CreateReplacing so far.
  int Writes() const { return writes_; }

  bool FileExists(const std::string& path) override { return files_.FileExists(path); }
  std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                            int* error) override {
    return files_.OpenForReading(path, access, error);
  }
  std::unique_ptr<TWriteFile> CreateReplacing(const std::string& path, TStatus* status) override {
    ++writes_;
    return files_.CreateReplacing(path, status);
  }

 private:
  TFileSystem& files_;
  int writes_ = 0;
};

}  // namespace gryvel::testing
