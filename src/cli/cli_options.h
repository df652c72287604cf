#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/status.h"
#include "results/result_source.h"
#include "search/character_manager.h"
#include "search/string_searcher.h"

// What the command line asks for: the command, its arguments and every option, checked and
// converted (texts to code page 1251, numbers to integers) so that a command only runs it.

namespace gryvel::cli {

enum class TCommand {
  None,
  Crossword,
  Anagram,
  Palindromes,
  Meaning,
  Chain,
  Analyze,
  List,
  Info,
  Show,
  Convert,
  Import,
};

enum class TSortOrder { Alphabetical, ByLength };

// An inclusive range of counts.
struct TCountRange {
  std::int32_t Min = 0;
  std::int32_t Max = 0;
};

// Header texts given for a dictionary being written; unset ones keep the dictionary's own.
struct THeaderTexts {
  std::optional<std::string> Title, Comments, Author, Email, Web, Language;

  bool Any() const { return Title || Comments || Author || Email || Web || Language; }
};

struct TCliOptions {
  bool Help = false;
  bool Version = false;

  TCommand Command = TCommand::None;
  // The command's text arguments (pattern, letters, words) as code page 1251 text, and its
  // file arguments as native paths, each in command-line order.
  std::vector<std::string> Texts;
  std::vector<std::string> Paths;

  std::vector<std::string> Dictionaries;  // native paths, in order
  bool CaseSensitive = false;
  std::vector<TEqualLetters> EqualLetters;
  TSortOrder Sort = TSortOrder::Alphabetical;
  bool Descending = false;
  TFilterSettings Filter;  // Enable set when --filter or --length is given
  bool Describe = false;
  bool Why = false;  // meaning: why each word was found
  bool Count = false;
  bool Json = false;

  TAnagramOptions AnagramMode = aoUsual;
  std::int32_t Change = 1;
  TCountRange Items{0, INT32_MAX};
  bool TextOutput = false;  // convert --text
  THeaderTexts Header;
};

// Parses argv[1..argc-1]. --help and --version win over everything else that parses. Fails
// with a UTF-8 message for the user on anything a usage hint should answer: an unknown option
// or command, a missing or extra argument, a bad value, an option the command does not take,
// a character code page 1251 cannot hold.
TStatus ParseCommandLine(int argc, const char* const* argv, TCliOptions* options);

// The command's name as typed ("crossword"); "" for None.
const char* CommandName(TCommand command);

}  // namespace gryvel::cli
