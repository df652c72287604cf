#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/status.h"

// The files a dictionary reads and writes, behind small interfaces so that one reader serves
// real files, memory buffers (fuzz targets, tests) and fakes that fail on purpose. Paths are
// native file names, passed to the system as they are.

namespace gryvel {

// How a file opened for reading will be read; a hint to the system's read-ahead.
enum class TReadAccess { kSequential, kRandom };

// A file open for reading at explicit offsets.
// Thread safety: the files a TFileSystem opens keep no read position (pread), so one open file
// may serve reads from several threads at once and be kept open for a long time; a
// TReadAheadFile holds a buffer and serves one thread.
class TReadFile {
 public:
  virtual ~TReadFile() = default;

  // The size of the file when it was opened.
  virtual std::uint64_t Size() const = 0;

  // Reads up to `size` bytes at `offset` into `buffer` and returns how many were read: fewer at
  // the end of the file or after a read error, 0 at or past the end.
  virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
};

// A file being written to replace the file at its target path. Nothing changes at the target
// until Commit succeeds; destroying the object before that discards what was written, so a
// failure at any point leaves the old file whole.
class TWriteFile {
 public:
  virtual ~TWriteFile() = default;

  // Appends `size` bytes. After a failure the file cannot be committed.
  virtual TStatus Append(const void* data, std::size_t size) = 0;

  // Makes the written bytes durable and puts them in place of the target.
  virtual TStatus Commit() = 0;
};

// Where a dictionary's files live.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  // True when `path` names something that is not a directory.
  virtual bool FileExists(const std::string& path) = 0;

  // Opens `path`; on failure returns null and stores the system error number in *error.
  virtual std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                                    int* error) = 0;

  // Starts a file that will replace `path` (or create it) when committed. On failure returns
  // null and stores the reason in *status.
  virtual std::unique_ptr<TWriteFile> CreateReplacing(const std::string& path, TStatus* status) = 0;
};

// The real file system. Replacing writes a temporary file in the target's directory, syncs it,
// renames it over the target (keeping the target's permissions) and syncs the directory.
// Where the file system allows, the temporary file has no name until it is complete and
// synced, so a process killed mid-write leaves nothing behind; elsewhere it is a hidden
// ".<name>.<random>.tmp", removed when a write fails or is abandoned.
// A symbolic link is replaced through: the file it points at gets the new content.
// Thread safety: may be used from any thread.
TFileSystem& PosixFileSystem();

// The real file system writing its temporary files under their hidden name from the start, as
// where unnamed files cannot be made. For tests of that way.
TFileSystem& PosixFileSystemNamedTemporaries();

// The system's text for error number `error`.
std::string SystemErrorText(int error);

// Reads from bytes in memory. The bytes are borrowed and must outlive the file.
class TMemoryReadFile : public TReadFile {
 public:
  TMemoryReadFile(const void* data, std::size_t size)
      : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// Serves many small reads that mostly move forward from a window read ahead from another file
// (borrowed; it must outlive this one).
class TReadAheadFile : public TReadFile {
 public:
  TReadAheadFile(TReadFile& file, std::size_t window) : file_(file), window_(window) {}

  std::uint64_t Size() const override { return file_.Size(); }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override;

 private:
  TReadFile& file_;
  std::size_t window_;
  std::vector<std::uint8_t> buffer_;  // the bytes at start_ .. start_ + buffer_.size()
  std::uint64_t start_ = 0;
};

// Files held in memory by name, for fuzz targets and tests. Not thread-safe.
class TMemoryFileSystem : public TFileSystem {
 public:
  void SetFile(const std::string& path, std::vector<std::uint8_t> bytes);
  // The bytes of `path`; empty when there is no such file.
  std::vector<std::uint8_t> File(const std::string& path) const;

  bool FileExists(const std::string& path) override;
  std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                            int* error) override;
  std::unique_ptr<TWriteFile> CreateReplacing(const std::string& path, TStatus* status) override;

 private:
  std::map<std::string, std::shared_ptr<const std::vector<std::uint8_t>>> files_;
};

}  // namespace gryvel
