#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/file_io.h"

// What a file named as a dictionary turns out to be before anything is read from it as one: a
// binary dictionary, a word list, or a file that is refused, with the reason. Every way a file
// comes in (the open dialog, a drop, the command line, a second copy handing files over, the
// command-line tool) asks here first, so they all take and refuse the same files.

namespace gryvel {

enum class TFileKind : std::uint8_t { kDictionary, kWordList, kRefused };

enum class TFileRefusal : std::uint8_t {
  kNone,
  kMissing,        // no such file
  kFolder,         // a folder, not a file
  kUnreadable,     // it exists but cannot be opened; SystemError holds errno
  kNotDictionary,  // named .kiv, yet its header is not a dictionary's
};

// Word lists whose runs of non-blank bytes are more than this many percent not words are
// doubtful: the user is asked before one is kept.
inline constexpr int kDoubtfulPercent = 5;
// How much of the start of a file is looked at.
inline constexpr std::size_t kClassifySample = 64 * 1024;

struct TFileClass {
  TFileKind Kind = TFileKind::kRefused;
  TFileRefusal Refusal = TFileRefusal::kNone;
  int SystemError = 0;
  // Word lists: the share, in percent, of the runs of non-blank bytes that are not words.
  int NonWordPercent = 0;

  // A word list that may well be something else (random bytes, a program, a picture).
  bool Doubtful() const { return Kind == TFileKind::kWordList && NonWordPercent > kDoubtfulPercent; }
  // An unreadable file is listed all the same, unloaded and marked with the reason: its rights
  // may be put right and the load tried again. Other refusals are not listed.
  bool Listed() const { return Kind != TFileKind::kRefused || Refusal == TFileRefusal::kUnreadable; }
};

// True when `file_name` ends in ".kiv" in any letter case.
bool HasDictionaryExtension(std::string_view file_name);

// Classifies the first `size` bytes of a file called `file_name` (`whole`: they are all of it).
// Starting with the signature makes a dictionary; otherwise a .kiv name is refused and any other
// name is a word list (an empty one too). Never reads outside data[0, size).
TFileClass ClassifyContent(std::string_view file_name, const std::uint8_t* data, std::size_t size,
                           bool whole);

// Classifies the file at `path` (native name) from its first kClassifySample bytes; a missing
// file, a folder and a file that cannot be opened are refusals.
TFileClass ClassifyFile(TFileSystem& files, const std::string& path);

}  // namespace gryvel
