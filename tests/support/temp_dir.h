#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gryvel::testing {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object is destroyed.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // The path of `name` inside the directory.
  std::string File(std::string_view name) const;
  // Writes `bytes` to `name` and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  std::string Write(std::string_view name, const std::vector<std::uint8_t>& bytes) const;
  // The bytes of `name`; fails the current test if it cannot be read.
  std::string Read(std::string_view name) const;
  // The names of the files in the directory, sorted.
  std::vector<std::string> Names() const;

 private:
  std::string path_;
};

}  // namespace gryvel::testing
