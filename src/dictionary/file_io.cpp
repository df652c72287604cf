#include "dictionary/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>

#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

std::string Quoted(const std::string& path) {
  return "\"" + PathForMessage(path) + "\"";
}

TStatus IoError(const char* what, const std::string& path, int error) {
  return TStatus::SystemError(std::string(what) + " " + Quoted(path) + ": " + SystemErrorText(error),
                              error);
}

// close() may fail with the error of a delayed write, so its result matters for writes.
int CloseFile(int fd) {
  return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

class TPosixReadFile : public TReadFile {
 public:
  TPosixReadFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~TPosixReadFile() override { ::close(fd_); }
  TPosixReadFile(const TPosixReadFile&) = delete;
  TPosixReadFile& operator=(const TPosixReadFile&) = delete;

  std::uint64_t Size() const override { return size_; }

  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
      if (offset + done > static_cast<std::uint64_t>(LLONG_MAX)) break;
      const std::size_t want = std::min<std::size_t>(size - done, SSIZE_MAX);
      const ssize_t n = ::pread(fd_, out + done, want, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

 private:
  int fd_;
  std::uint64_t size_;
};

// Gives the unnamed file open as `fd` the name `path`; false, with errno set, when neither way
// works.
bool LinkUnnamed(int fd, const std::string& path) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno == EEXIST) return false;
  // Without /proc, AT_EMPTY_PATH names the descriptor itself (it may need privileges).
  return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
}

// A hidden name beside the target: `dir` + "." + `base` + ".<pid>-<random>.tmp". The process
// id tells a later save whether the writer is still alive.
std::string TemporaryName(const std::string& dir, const std::string& base) {
  thread_local std::mt19937_64 random(
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return dir + "." + base + "." + std::to_string(::getpid()) + "-" +
         std::to_string(random() % 1000000000) + ".tmp";
}

// The process id in `name` when it is a temporary name TemporaryName gave for `base`; 0 when
// it is not one.
pid_t TemporaryOwner(std::string_view name, std::string_view base) {
  const std::string_view suffix = ".tmp";
  if (name.size() < base.size() + 2 + suffix.size() || name[0] != '.' ||
      name.substr(1, base.size()) != base || name[base.size() + 1] != '.' ||
      !name.ends_with(suffix))
    return 0;
  const std::string_view middle =
      name.substr(base.size() + 2, name.size() - base.size() - 2 - suffix.size());
  const std::size_t dash = middle.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == middle.size())
    return 0;
  const auto digits = [](std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(middle.substr(0, dash)) || !digits(middle.substr(dash + 1))) return 0;
  return static_cast<pid_t>(std::stol(std::string(middle.substr(0, dash))));
}

// Removes the temporary files of `base` left in `dir` by writers that were killed between
// naming and renaming them; those of live processes are left alone.
void RemoveDeadLeftovers(const std::string& dir, const std::string& base) {
  DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = ::readdir(listing)) {
    const pid_t owner = TemporaryOwner(entry->d_name, base);
    if (owner <= 0 || owner == ::getpid()) continue;
    if (::kill(owner, 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(listing), entry->d_name, 0);
  }
  ::closedir(listing);
}

// Writes into a temporary file beside the target and renames it over the target on Commit.
// The file is unnamed while it is written where the file system allows (a crash then leaves
// nothing behind), and is named only once it is complete and synced; elsewhere it has its
// hidden name from the start and is removed when the write is abandoned.
class TPosixWriteFile : public TWriteFile {
 public:
  // `temp` is the name of a named temporary file, empty for an unnamed one.
  TPosixWriteFile(std::string target, std::string dir, std::string base, std::string temp, int fd)
      : target_(std::move(target)),
        dir_(std::move(dir)),
        base_(std::move(base)),
        temp_(std::move(temp)),
        fd_(fd) {}
  ~TPosixWriteFile() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
  }
  TPosixWriteFile(const TPosixWriteFile&) = delete;
  TPosixWriteFile& operator=(const TPosixWriteFile&) = delete;

  TStatus Append(const void* data, std::size_t size) override {
    if (fd_ < 0) return TStatus::Error("Can't write file " + Quoted(target_));
    const auto* in = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t n = ::write(fd_, in, std::min<std::size_t>(size, SSIZE_MAX));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Fail("Can't write file", n < 0 ? errno : ENOSPC);
      in += n;
      size -= static_cast<std::size_t>(n);
    }
    return TStatus::Ok();
  }

  TStatus Commit() override {
    if (fd_ < 0) return TStatus::Error("Can't write file " + Quoted(target_));
    if (::fsync(fd_) != 0) return Fail("Can't write file", errno);
    if (temp_.empty()) {
      if (TStatus status = Name(); !status.ok()) return status;
    }
    const int close_error = CloseFile(fd_);
    fd_ = -1;
    if (close_error != 0) return IoError("Can't write file", target_, close_error);
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
      return IoError("Can't replace file", target_, errno);
    committed_ = true;
    SyncDirectory();
    return TStatus::Ok();
  }

 private:
  TStatus Fail(const char* what, int error) {
    ::close(fd_);
    fd_ = -1;
    return IoError(what, target_, error);
  }

  // Links the complete unnamed file under a fresh hidden name, kept in temp_.
  TStatus Name() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string temp = TemporaryName(dir_, base_);
      if (LinkUnnamed(fd_, temp)) {
        temp_ = temp;
        return TStatus::Ok();
      }
      if (errno != EEXIST && errno != EINTR) break;
    }
    return Fail("Can't write file", errno);
  }

  // Makes the rename durable. The new file is in place whatever this returns.
  void SyncDirectory() {
    const int fd = ::open(dir_.empty() ? "." : dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
  }

  std::string target_;
  std::string dir_;   // the target's directory with its slash, empty for the current one
  std::string base_;  // the target's file name
  std::string temp_;
  int fd_;
  bool committed_ = false;
};

// An unnamed file in `dir`, open for writing, or -1 where the file system cannot make one or
// /proc is missing (naming it would then rest on AT_EMPTY_PATH, which may need privileges).
int OpenUnnamed(const std::string& dir) {
  int fd;
  do {
    fd = ::open(dir.empty() ? "." : dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat st {};
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::stat(proc.c_str(), &st) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The file a write to `path` should replace: the target of a symbolic link, else `path`.
std::string ReplacementTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;  // a dangling link is replaced itself
  std::string target = resolved;
  std::free(resolved);
  return target;
}

class TPosixFileSystem : public TFileSystem {
 public:
  // `unnamed_temporaries`: write unnamed temporary files where the file system allows.
  explicit TPosixFileSystem(bool unnamed_temporaries) : unnamed_(unnamed_temporaries) {}

  bool FileExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                            int* error) override {
    int fd;
    do {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
      *error = errno;
      return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      *error = S_ISDIR(st.st_mode) ? EISDIR : errno;
      ::close(fd);
      return nullptr;
    }
    ::posix_fadvise(fd, 0, 0,
                    access == TReadAccess::kSequential ? POSIX_FADV_SEQUENTIAL : POSIX_FADV_RANDOM);
    return std::make_unique<TPosixReadFile>(fd, static_cast<std::uint64_t>(st.st_size));
  }

  std::unique_ptr<TWriteFile> CreateReplacing(const std::string& path, TStatus* status) override {
    const std::string target = ReplacementTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    RemoveDeadLeftovers(dir, base);

    // The temporary file sits beside the target so that the rename cannot cross file systems.
    // 0666 lets the umask decide; a replaced file's permissions are kept.
    if (const int fd = unnamed_ ? OpenUnnamed(dir) : -1; fd >= 0) {
      if (replacing) ::fchmod(fd, old.st_mode & 07777);
      return std::make_unique<TPosixWriteFile>(target, dir, base, "", fd);
    }
    // Created with O_EXCL, so it never clobbers anything.
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string temp = TemporaryName(dir, base);
      const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0) {
        error = errno;
        if (error == EEXIST || error == EINTR) continue;
        break;
      }
      if (replacing) ::fchmod(fd, old.st_mode & 07777);
      return std::make_unique<TPosixWriteFile>(target, dir, base, temp, fd);
    }
    *status = IoError("Can't create a temporary file beside", target, error);
    return nullptr;
  }

 private:
  bool unnamed_;
};

class TMemoryWriteFile : public TWriteFile {
 public:
  TMemoryWriteFile(TMemoryFileSystem& owner, std::string path)
      : owner_(owner), path_(std::move(path)) {}

  TStatus Append(const void* data, std::size_t size) override {
    const auto* in = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), in, in + size);
    return TStatus::Ok();
  }

  TStatus Commit() override {
    owner_.SetFile(path_, std::move(bytes_));
    return TStatus::Ok();
  }

 private:
  TMemoryFileSystem& owner_;
  std::string path_;
  std::vector<std::uint8_t> bytes_;
};

// A memory file that keeps its bytes alive even if the file system replaces them.
class TSharedMemoryReadFile : public TMemoryReadFile {
 public:
  explicit TSharedMemoryReadFile(std::shared_ptr<const std::vector<std::uint8_t>> bytes)
      : TMemoryReadFile(bytes->data(), bytes->size()), bytes_(std::move(bytes)) {}

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
};

}  // namespace

TFileSystem& PosixFileSystem() {
  static TPosixFileSystem file_system(true);
  return file_system;
}

TFileSystem& PosixFileSystemNamedTemporaries() {
  static TPosixFileSystem file_system(false);
  return file_system;
}

std::string SystemErrorText(int error) {
  return std::generic_category().message(error);
}

std::size_t TMemoryReadFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
  if (offset >= size_) return 0;
  const std::size_t n = std::min<std::uint64_t>(size, size_ - offset);
  if (n != 0) std::memcpy(buffer, data_ + offset, n);
  return n;
}

std::size_t TReadAheadFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
  if (size >= window_) return file_.ReadAt(offset, buffer, size);
  const bool held = offset >= start_ && offset - start_ <= buffer_.size() &&
                    size <= buffer_.size() - (offset - start_);
  if (!held) {
    buffer_.resize(window_);
    buffer_.resize(file_.ReadAt(offset, buffer_.data(), window_));
    start_ = offset;
  }
  const std::size_t n =
      offset - start_ >= buffer_.size() ? 0 : std::min(size, buffer_.size() - (offset - start_));
  if (n != 0) std::memcpy(buffer, buffer_.data() + (offset - start_), n);
  return n;
}

void TMemoryFileSystem::SetFile(const std::string& path, std::vector<std::uint8_t> bytes) {
  files_[path] = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
}

std::vector<std::uint8_t> TMemoryFileSystem::File(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? std::vector<std::uint8_t>() : *it->second;
}

bool TMemoryFileSystem::FileExists(const std::string& path) {
  return files_.count(path) != 0;
}

std::unique_ptr<TReadFile> TMemoryFileSystem::OpenForReading(const std::string& path, TReadAccess,
                                                             int* error) {
  const auto it = files_.find(path);
  if (it == files_.end()) {
    *error = ENOENT;
    return nullptr;
  }
  return std::make_unique<TSharedMemoryReadFile>(it->second);
}

std::unique_ptr<TWriteFile> TMemoryFileSystem::CreateReplacing(const std::string& path, TStatus*) {
  return std::make_unique<TMemoryWriteFile>(*this, path);
}

}  // namespace gryvel
