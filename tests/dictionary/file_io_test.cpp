#include "dictionary/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace gryvel {
namespace {

std::string ReadAll(TReadFile& file, std::uint64_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  bytes.resize(file.ReadAt(offset, bytes.data(), size));
  return bytes;
}

class FileIoTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
};

// Replacing, with unnamed temporary files (true) and with named ones from the start (false).
class ReplaceTest : public FileIoTest, public ::testing::WithParamInterface<bool> {
 protected:
  TFileSystem& Files() {
    return GetParam() ? PosixFileSystem() : PosixFileSystemNamedTemporaries();
  }

  std::string Replace(const std::string& path, const std::string& bytes) {
    TStatus status;
    std::unique_ptr<TWriteFile> out = Files().CreateReplacing(path, &status);
    if (out == nullptr) return status.message();
    if (TStatus s = out->Append(bytes.data(), bytes.size()); !s.ok()) return s.message();
    return out->Commit().message();
  }
};

INSTANTIATE_TEST_SUITE_P(Temporaries, ReplaceTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

TEST_F(FileIoTest, ReadsAtOffsetsUpToTheEnd) {
  const std::string path = dir_.Write("f", "0123456789");
  int error = 0;
  std::unique_ptr<TReadFile> file =
      PosixFileSystem().OpenForReading(path, TReadAccess::kSequential, &error);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(10u, file->Size());
  EXPECT_EQ("234", ReadAll(*file, 2, 3));
  EXPECT_EQ("89", ReadAll(*file, 8, 5));
  EXPECT_EQ("", ReadAll(*file, 10, 5));
  EXPECT_EQ("", ReadAll(*file, ~std::uint64_t{0} - 2, 5));
}

TEST_F(FileIoTest, OpeningReportsTheSystemError) {
  int error = 0;
  EXPECT_EQ(nullptr,
            PosixFileSystem().OpenForReading(dir_.File("missing"), TReadAccess::kRandom, &error));
  EXPECT_EQ(ENOENT, error);
  EXPECT_EQ(nullptr, PosixFileSystem().OpenForReading(dir_.Path(), TReadAccess::kRandom, &error));
  EXPECT_EQ(EISDIR, error);
  EXPECT_FALSE(PosixFileSystem().FileExists(dir_.Path()));
  EXPECT_FALSE(PosixFileSystem().FileExists(dir_.File("missing")));
}

TEST_P(ReplaceTest, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
  const std::string path = dir_.Write("f", "old");
  ASSERT_EQ(0, ::chmod(path.c_str(), 0640));
  EXPECT_EQ("", Replace(path, "new content"));
  EXPECT_EQ("new content", dir_.Read("f"));
  struct stat st {};
  ASSERT_EQ(0, ::stat(path.c_str(), &st));
  EXPECT_EQ(0640u, st.st_mode & 07777);
  EXPECT_EQ(std::vector<std::string>{"f"}, dir_.Names());
  EXPECT_EQ("", Replace(dir_.File("g"), "created"));
  EXPECT_EQ("created", dir_.Read("g"));
}

TEST_P(ReplaceTest, AnUncommittedFileLeavesTheOldOneWhole) {
  const std::string path = dir_.Write("f", "old");
  {
    TStatus status;
    std::unique_ptr<TWriteFile> out = Files().CreateReplacing(path, &status);
    ASSERT_NE(nullptr, out);
    ASSERT_TRUE(out->Append("new", 3).ok());
  }
  EXPECT_EQ("old", dir_.Read("f"));
  EXPECT_EQ(std::vector<std::string>{"f"}, dir_.Names());
}

TEST_P(ReplaceTest, ASymbolicLinkIsReplacedThrough) {
  const std::string target = dir_.Write("target", "old");
  const std::string link = dir_.File("link");
  ASSERT_EQ(0, ::symlink(target.c_str(), link.c_str()));
  EXPECT_EQ("", Replace(link, "new"));
  EXPECT_EQ("new", dir_.Read("target"));
  struct stat st {};
  ASSERT_EQ(0, ::lstat(link.c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_P(ReplaceTest, AMissingDirectoryFailsWithAMessage) {
  const std::string message = Replace(dir_.File("no/such/file"), "x");
  EXPECT_NE(std::string::npos, message.find("no/such/file")) << message;
}

// A writer killed mid-save leaves the old file whole and nothing beside it.
TEST_F(FileIoTest, AWriterKilledMidSaveLeavesNoTemporaryFile) {
  const int probe = ::open(dir_.Path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (probe < 0) GTEST_SKIP() << "this file system makes no unnamed files";
  ::close(probe);
  const std::string path = dir_.Write("f", "old");
  int ready[2];
  ASSERT_EQ(0, ::pipe(ready));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TStatus status;
    std::unique_ptr<TWriteFile> out = PosixFileSystem().CreateReplacing(path, &status);
    const std::string chunk(1 << 20, 'n');
    if (out == nullptr || !out->Append(chunk.data(), chunk.size()).ok()) ::_exit(1);
    (void)!::write(ready[1], "w", 1);
    for (;;) ::pause();  // mid-save, until killed
  }
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(1, ::read(ready[0], &byte, 1));
  ::close(ready[0]);
  EXPECT_EQ(std::vector<std::string>{"f"}, dir_.Names());  // nothing named while it writes
  ASSERT_EQ(0, ::kill(child, SIGKILL));
  int wait_status = 0;
  ASSERT_EQ(child, ::waitpid(child, &wait_status, 0));
  EXPECT_TRUE(WIFSIGNALED(wait_status));
  EXPECT_EQ("old", dir_.Read("f"));
  EXPECT_EQ(std::vector<std::string>{"f"}, dir_.Names());
}

// A writer killed between naming its temporary file and renaming it leaves the file behind;
// the next save removes it, but not one of a process that is still writing.
TEST_P(ReplaceTest, ASaveRemovesTheTemporaryFilesOfDeadWritersOnly) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(0);
  ASSERT_EQ(child, ::waitpid(child, nullptr, 0));
  const std::string dead = std::to_string(child);
  const std::string live = std::to_string(::getppid());
  for (const std::string& name :
       {".f." + dead + "-17.tmp", ".f." + live + "-17.tmp", std::string(".f.17.tmp"),
        ".g." + dead + "-1.tmp", ".f." + dead + "-x.tmp"})
    dir_.Write(name, "left");
  EXPECT_EQ("", Replace(dir_.File("f"), "new"));
  std::vector<std::string> kept = {".f." + dead + "-x.tmp", ".f." + live + "-17.tmp",
                                   ".f.17.tmp", ".g." + dead + "-1.tmp", "f"};
  std::sort(kept.begin(), kept.end());
  std::vector<std::string> names = dir_.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(kept, names);
}

TEST(ReadAheadFileTest, GivesTheSameBytesAsTheFileItReads) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i * 7);
  TMemoryReadFile file(bytes.data(), bytes.size());
  TReadAheadFile ahead(file, 64);
  struct Read {
    std::uint64_t offset;
    std::size_t size;
  } reads[] = {{0, 10}, {5, 10}, {60, 10}, {0, 64}, {990, 20}, {500, 200}, {1000, 1}, {3, 1}};
  for (const Read& r : reads)
    EXPECT_EQ(ReadAll(file, r.offset, r.size), ReadAll(ahead, r.offset, r.size))
        << r.offset << "+" << r.size;
}

}  // namespace
}  // namespace gryvel
