#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/ini_store.h"

// Typed access to the keys of one section, shared by every settings group. A group describes
// its keys once, as a function template over the two classes below, when it reads and writes
// them in the same order:
//
//   template <typename Io, typename Settings>
//   void Keys(Io& io, Settings& s) { io.Bool("Visible", s.Visible); io.Int("Left", s.Left); }
//
// File names are native (UTF-8 on this system) in memory and code page 1251 in the file.

namespace gryvel {

// Reads keys into fields. A missing key leaves its field as it is; so does an empty or
// malformed number, so the fields' incoming values are the defaults.
class TSectionReader {
 public:
  TSectionReader(const TIniStore& store, std::string_view section)
      : FStore(store), FSection(section) {}

  void Bool(std::string_view key, bool& field) const;
  void Int(std::string_view key, std::int32_t& field) const;
  void Text(std::string_view key, std::string& field) const;
  // A native file name.
  void Path(std::string_view key, std::string& field) const;

 private:
  const TIniStore& FStore;
  std::string_view FSection;
};

// Writes fields as keys.
class TSectionWriter {
 public:
  TSectionWriter(TIniStore& store, std::string_view section) : FStore(store), FSection(section) {}

  void Bool(std::string_view key, bool value) { FStore.WriteBool(FSection, key, value); }
  void Int(std::string_view key, std::int32_t value) { FStore.WriteInteger(FSection, key, value); }
  void Text(std::string_view key, std::string_view value) {
    FStore.WriteString(FSection, key, value);
  }
  void Path(std::string_view key, std::string_view native);

 private:
  TIniStore& FStore;
  std::string_view FSection;
};

// A native file name as the settings file holds it: in code page 1251 when every character
// fits, else the native bytes as they are, so that no name is lost.
std::string PathToSettings(std::string_view native);

// A file name from the settings file as a native one: text that is valid UTF-8 with a
// multi-byte character was kept native (or typed in by hand as UTF-8); any other text is code
// page 1251.
std::string PathFromSettings(std::string_view stored);

}  // namespace gryvel
