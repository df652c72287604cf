#include "cli/cli_options.h"

#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "cli/argument_values.h"
#include "results/meaning_search.h"

namespace gryvel::cli {

namespace {

using TCommandMask = unsigned;

constexpr TCommandMask Bit(TCommand command) {
  return 1u << static_cast<unsigned>(command);
}

constexpr TCommandMask kWordLists = Bit(TCommand::Crossword) | Bit(TCommand::Anagram) |
                                    Bit(TCommand::Palindromes) | Bit(TCommand::Meaning) |
                                    Bit(TCommand::List);
constexpr TCommandMask kSplits = Bit(TCommand::Chain) | Bit(TCommand::Analyze);
constexpr TCommandMask kReading = kWordLists | kSplits | Bit(TCommand::Info) | Bit(TCommand::Show);
constexpr TCommandMask kWriting = Bit(TCommand::Convert) | Bit(TCommand::Import);

struct TCommandSpec {
  std::string_view Name;
  TCommand Command;
  int TextCount;  // text arguments, then file arguments
  int PathCount;
  std::string_view ArgumentNames[2];
  bool EmptyFirst = false;  // the first text may be empty
  bool Rest = false;        // the last text takes every further word, joined by spaces
};

constexpr TCommandSpec kCommands[] = {
    {"crossword", TCommand::Crossword, 1, 0, {"PATTERN"}},
    {"anagram", TCommand::Anagram, 1, 0, {"LETTERS"}},
    {"palindromes", TCommand::Palindromes, 0, 0, {}},
    {"meaning", TCommand::Meaning, 2, 0, {"PATTERN", "CLUE"}, true, true},
    {"chain", TCommand::Chain, 2, 0, {"FROM", "TO"}},
    {"analyze", TCommand::Analyze, 1, 0, {"WORD"}},
    {"list", TCommand::List, 0, 0, {}},
    {"info", TCommand::Info, 0, 0, {}},
    {"show", TCommand::Show, 1, 0, {"WORD"}},
    {"convert", TCommand::Convert, 0, 2, {"IN", "OUT"}},
    {"import", TCommand::Import, 0, 2, {"TSV", "OUT"}},
};

// What an option sets: a flag (TOptionSpec::Flag), a header text (TOptionSpec::Header) or a
// value of its own.
enum class TOptionId { Flag, Header, Dict, Equal, Sort, Filter, Length, Mode, Change, Items };

struct TOptionSpec {
  std::string_view Name;  // the long name, without "--"
  char Short;             // the one-letter name, 0 for none
  TOptionId Id;
  TCommandMask Commands;                                       // the commands it applies to
  bool TCliOptions::*Flag = nullptr;                           // set by a flag
  std::optional<std::string> THeaderTexts::*Header = nullptr;  // set by a header text

  bool TakesValue() const { return Id != TOptionId::Flag; }
};

constexpr TOptionSpec kOptions[] = {
    {"dict", 'd', TOptionId::Dict, kReading},
    {"case-sensitive", 0, TOptionId::Flag, kWordLists | kSplits, &TCliOptions::CaseSensitive},
    {"equal", 0, TOptionId::Equal, kWordLists | kSplits},
    {"sort", 0, TOptionId::Sort, kWordLists},
    {"descending", 0, TOptionId::Flag, kWordLists, &TCliOptions::Descending},
    {"filter", 0, TOptionId::Filter, kWordLists | kSplits},
    {"length", 0, TOptionId::Length, kWordLists | kSplits},
    {"describe", 0, TOptionId::Flag, kWordLists, &TCliOptions::Describe},
    {"why", 0, TOptionId::Flag, Bit(TCommand::Meaning), &TCliOptions::Why},
    {"count", 0, TOptionId::Flag, kWordLists | kSplits, &TCliOptions::Count},
    {"json", 0, TOptionId::Flag, kReading, &TCliOptions::Json},
    {"mode", 0, TOptionId::Mode, Bit(TCommand::Anagram)},
    {"change", 0, TOptionId::Change, Bit(TCommand::Chain)},
    {"items", 0, TOptionId::Items, Bit(TCommand::Analyze)},
    {"text", 0, TOptionId::Flag, Bit(TCommand::Convert), &TCliOptions::TextOutput},
    {"title", 0, TOptionId::Header, kWriting, nullptr, &THeaderTexts::Title},
    {"comments", 0, TOptionId::Header, kWriting, nullptr, &THeaderTexts::Comments},
    {"author", 0, TOptionId::Header, kWriting, nullptr, &THeaderTexts::Author},
    {"email", 0, TOptionId::Header, kWriting, nullptr, &THeaderTexts::Email},
    {"web", 0, TOptionId::Header, kWriting, nullptr, &THeaderTexts::Web},
    {"language", 0, TOptionId::Header, kWriting, nullptr, &THeaderTexts::Language},
};

// One option as given: which, how it was spelled (for messages) and its value.
struct TGivenOption {
  const TOptionSpec* Spec;
  std::string Spelling;
  std::string Value;
};

std::string Quote(std::string_view text) {
  return "'" + std::string(text) + "'";
}

const TOptionSpec* FindLong(std::string_view name) {
  for (const TOptionSpec& spec : kOptions)
    if (spec.Name == name) return &spec;
  return nullptr;
}

const TOptionSpec* FindShort(char name) {
  for (const TOptionSpec& spec : kOptions)
    if (spec.Short != 0 && spec.Short == name) return &spec;
  return nullptr;
}

const TCommandSpec* FindCommand(std::string_view name) {
  for (const TCommandSpec& spec : kCommands)
    if (spec.Name == name) return &spec;
  return nullptr;
}

// Reads the option at argv[*i] (which starts with "-"), taking its value from the same word
// or the next one.
TStatus ReadOption(int argc, const char* const* argv, int* i, TGivenOption* given) {
  const std::string_view arg = argv[*i];
  std::string_view spelling = arg;
  std::string_view value;
  bool attached = false;
  const TOptionSpec* spec = nullptr;
  if (arg.starts_with("--")) {
    const std::size_t equals = arg.find('=');
    if (equals != std::string_view::npos) {
      spelling = arg.substr(0, equals);
      value = arg.substr(equals + 1);
      attached = true;
    }
    spec = FindLong(spelling.substr(2));
  } else {
    spelling = arg.substr(0, 2);
    spec = FindShort(arg[1]);
    if (arg.size() > 2) {
      value = arg.substr(2);
      attached = true;
    }
  }
  if (spec == nullptr && !arg.starts_with("--"))
    return TStatus::Error("unknown option " + Quote(arg) +
                          " (put -- before a word that starts with '-')");
  if (spec == nullptr) return TStatus::Error("unknown option " + Quote(spelling));
  if (!spec->TakesValue() && attached)
    return TStatus::Error("option " + Quote(spelling) + " takes no value");
  if (spec->TakesValue() && !attached) {
    if (*i + 1 >= argc) return TStatus::Error("option " + Quote(spelling) + " needs a value");
    value = argv[++*i];
  }
  *given = TGivenOption{spec, std::string(spelling), std::string(value)};
  return TStatus::Ok();
}

TStatus ParseChoice(const TGivenOption& given, std::initializer_list<std::string_view> choices,
                    int* index) {
  int at = 0;
  std::string listed;
  for (std::string_view choice : choices) {
    if (given.Value == choice) {
      *index = at;
      return TStatus::Ok();
    }
    listed += (at++ == 0 ? "" : ", ") + std::string(choice);
  }
  return TStatus::Error(given.Spelling + ": " + Quote(given.Value) + " is not one of " + listed);
}

// A header text; the language code is at most three bytes long.
TStatus ApplyHeaderText(const TGivenOption& given, THeaderTexts* header) {
  std::string text;
  if (TStatus status = ParseText(given.Value, given.Spelling, &text); !status.ok()) return status;
  if (given.Spec->Header == &THeaderTexts::Language && text.size() > 3)
    return TStatus::Error(given.Spelling + ": " + Quote(given.Value) +
                          " is longer than three letters (for example ENG or RUS)");
  header->*given.Spec->Header = std::move(text);
  return TStatus::Ok();
}

TStatus ApplyValue(const TGivenOption& given, TCliOptions* options) {
  int choice = 0;
  TStatus status;
  switch (given.Spec->Id) {
    case TOptionId::Dict:
      options->Dictionaries.push_back(given.Value);
      break;
    case TOptionId::Equal:
      status = ParseEqualLetters(given.Value, &options->EqualLetters.emplace_back());
      break;
    case TOptionId::Sort:
      status = ParseChoice(given, {"alpha", "length"}, &choice);
      options->Sort = choice == 0 ? TSortOrder::Alphabetical : TSortOrder::ByLength;
      break;
    case TOptionId::Filter:
      options->Filter.Enable = options->Filter.PatternEnable = true;
      status = ParseText(given.Value, given.Spelling, &options->Filter.Pattern);
      break;
    case TOptionId::Length: {
      TCountRange range;
      status = ParseRange(given.Value, given.Spelling, &range);
      options->Filter.Enable = options->Filter.LengthEnable = true;
      options->Filter.MinLength = range.Min;
      options->Filter.MaxLength = range.Max;
      break;
    }
    case TOptionId::Mode:
      status = ParseChoice(given, {"usual", "extended", "make"}, &choice);
      options->AnagramMode = static_cast<TAnagramOptions>(choice);
      break;
    case TOptionId::Change:
      status = ParsePositive(given.Value, given.Spelling, &options->Change);
      break;
    case TOptionId::Items:
      status = ParseRange(given.Value, given.Spelling, &options->Items);
      break;
    case TOptionId::Flag:
      options->*given.Spec->Flag = true;
      break;
    case TOptionId::Header:
      status = ApplyHeaderText(given, &options->Header);
      break;
  }
  return status;
}

// Takes the command and its arguments from `words` (the words that are not options).
TStatus ReadCommand(const std::vector<std::string_view>& words, TCliOptions* options) {
  if (words.empty()) return TStatus::Error("no command given");
  const TCommandSpec* spec = FindCommand(words[0]);
  if (spec == nullptr) return TStatus::Error("unknown command " + Quote(words[0]));
  options->Command = spec->Command;
  const std::size_t wanted = static_cast<std::size_t>(spec->TextCount + spec->PathCount);
  if (words.size() - 1 < wanted)
    return TStatus::Error(std::string(spec->Name) + ": missing " +
                          std::string(spec->ArgumentNames[words.size() - 1]));
  if (words.size() - 1 > wanted && !spec->Rest)
    return TStatus::Error(std::string(spec->Name) + ": unexpected argument " +
                          Quote(words[wanted + 1]));
  for (int k = 0; k < spec->TextCount; ++k) {
    std::string utf8(words[1 + k]);
    if (spec->Rest && k + 1 == spec->TextCount)
      for (std::size_t more = 2 + k; more < words.size(); ++more) utf8.append(" ").append(words[more]);
    std::string text;
    if (!(k == 0 && spec->EmptyFirst && utf8.empty()))
      if (TStatus status = ParseText(utf8, spec->ArgumentNames[k], &text); !status.ok())
        return status;
    options->Texts.push_back(std::move(text));
  }
  for (int k = 0; k < spec->PathCount; ++k) {
    const std::string_view path = words[1 + spec->TextCount + k];
    if (path.empty())
      return TStatus::Error(std::string(spec->ArgumentNames[spec->TextCount + k]) + " is empty");
    options->Paths.emplace_back(path);
  }
  return TStatus::Ok();
}

// The rules that tie options and arguments together.
TStatus CheckCombination(const TCliOptions& options) {
  if (options.Command == TCommand::Chain && options.Texts[0].size() != options.Texts[1].size())
    return TStatus::Error("chain: FROM and TO must have the same number of letters");
  if (options.Command == TCommand::Meaning && ParseClue(options.Texts[1]).empty())
    return TStatus::Error("meaning: CLUE has no words");
  if (options.Command == TCommand::Convert && options.TextOutput && options.Header.Any())
    return TStatus::Error("convert --text writes no header: drop --title, --author and the like");
  return TStatus::Ok();
}

// Whether --help or --version comes before any "--".
void ReadHelpAndVersion(int argc, const char* const* argv, TCliOptions* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") return;
    if (arg == "--help" || arg == "-h") options->Help = true;
    if (arg == "--version") options->Version = true;
  }
}

}  // namespace

TStatus ParseCommandLine(int argc, const char* const* argv, TCliOptions* options) {
  *options = TCliOptions{};
  ReadHelpAndVersion(argc, argv, options);
  if (options->Help || options->Version) return TStatus::Ok();

  std::vector<TGivenOption> given;
  std::vector<std::string_view> words;
  bool options_ended = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!options_ended && arg == "--") {
      options_ended = true;
    } else if (!options_ended && arg.size() > 1 && arg[0] == '-') {
      TGivenOption option;
      if (TStatus status = ReadOption(argc, argv, &i, &option); !status.ok()) return status;
      given.push_back(std::move(option));
    } else {
      words.push_back(arg);
    }
  }
  if (TStatus status = ReadCommand(words, options); !status.ok()) return status;
  for (const TGivenOption& option : given) {
    if (!(option.Spec->Commands & Bit(options->Command)))
      return TStatus::Error("option " + Quote(option.Spelling) + " does not apply to " +
                            CommandName(options->Command));
    if (TStatus status = ApplyValue(option, options); !status.ok()) return status;
  }
  return CheckCombination(*options);
}

const char* CommandName(TCommand command) {
  for (const TCommandSpec& spec : kCommands)
    if (spec.Command == command) return spec.Name.data();
  return "";
}

}  // namespace gryvel::cli
