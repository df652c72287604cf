#include "shell/history_settings.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "shell/search_request.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

constexpr char kPattern[] = "Pattern";
constexpr char kAnagram[] = "Anagram";
constexpr char kEqual[] = "Equal";
// A section of its own, which readers from before the meaning branch pass over.
constexpr char kMeaning[] = "Meaning";

// Far longer than any pattern or letter set typed by hand; only a damaged file holds more, and
// the history tree would take seconds to lay out a value of megabytes.
constexpr std::size_t kMaxHistoryEntry = 1000;

std::string Cut(std::string text) {
  if (text.size() > kMaxHistoryEntry) text.resize(kMaxHistoryEntry);
  return text;
}

// The values of keys "1" .. `count` that exist, in key order.
std::vector<std::string> NumberedValues(const TIniStore& store, const char* section,
                                        std::int32_t count) {
  std::vector<std::string> values;
  for (const std::int32_t n : store.NumberedKeys(section, "", count))
    values.push_back(store.ReadString(section, std::to_string(n), ""));
  return values;
}

// How many history entries a branch reads back.
std::int32_t HistoryCount(const TIniStore& store, const char* section,
                          const TSearchHistory& history) {
  if (!history.DoSaveLast()) return 0;
  return std::min(store.ReadInteger(section, "Count", 0), history.SaveLastCount());
}

struct TAnagramEntry {
  std::string Letters;
  TAnagramOptions Mode = aoUsual;
};

// "letters,mode" or "letters". Split at the last "," so that letters holding a "," come back
// as they were written.
std::optional<TAnagramEntry> ParseAnagram(std::string_view value) {
  const std::size_t comma = value.rfind(',');
  if (comma == std::string_view::npos) return TAnagramEntry{std::string(value), aoUsual};
  const std::optional<std::int32_t> mode = ParseInteger(value.substr(comma + 1));
  if (!mode || *mode < aoUsual || *mode > aoMakeWords) return std::nullopt;
  return TAnagramEntry{std::string(value.substr(0, comma)), static_cast<TAnagramOptions>(*mode)};
}

// A group as written, Letters "=" Equivalent "," flag, is read from its end, so that letters
// holding "=" or "," and the equivalent "," come back as they were. Anything else (typed in by
// hand) is read from the first "=" on.
std::optional<TEqualLetters> ParseEqualLetters(std::string_view value) {
  const std::size_t n = value.size();
  if (n < 3) return std::nullopt;
  TEqualLetters group;
  if (n >= 5 && value[n - 4] == '=' && value[n - 2] == ',' &&
      (value[n - 1] == '0' || value[n - 1] == '1')) {
    group = {std::string(value.substr(0, n - 4)), value[n - 3], value[n - 1] == '1'};
  } else {
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos || equals == n - 1) return std::nullopt;
    const std::size_t comma = value.find(',');
    const bool active =
        comma == std::string_view::npos || comma == n - 1 || value[comma + 1] == '1';
    group = {std::string(value.substr(0, equals)), value[equals + 1], active};
  }
  if (group.Letters.empty()) return std::nullopt;
  return group;
}

// Writes Count and the keys "1" .. Count of a history branch.
TStatus WriteBranch(TSettingsFile& file, const char* section, const TSearchHistory& history,
                    THistoryBranch branch) {
  return file.Update([&](TIniStore& store) {
    const std::vector<THistoryNode>& children = history.Children(branch);
    store.WriteInteger(section, "Count", history.EntryCount(branch));
    for (std::size_t i = 1; i < children.size(); ++i) {
      std::string value = children[i].Text;
      if (branch == THistoryBranch::Anagrams)
        value += "," + std::to_string(static_cast<int>(children[i].Mode));
      store.WriteString(section, std::to_string(i), value);
    }
  });
}

}  // namespace

bool ReadPatternHistory(TSettingsFile& file, TSearchHistory& history) {
  return ReadSettingsGroup(
      file, ShellText(TShellText::PatternReadError), [&](const TIniStore& store) {
        for (const std::string& value :
             NumberedValues(store, kPattern, HistoryCount(store, kPattern, history)))
          history.AppendPattern(Cut(value));
        return TStatus::Ok();
      });
}

bool ReadAnagramHistory(TSettingsFile& file, TSearchHistory& history) {
  return ReadSettingsGroup(
      file, ShellText(TShellText::AnagramReadError), [&](const TIniStore& store) {
        // A damaged entry is skipped, not the ones after it, which would then be lost when the
        // history is written back.
        bool damaged = false;
        for (const std::string& value :
             NumberedValues(store, kAnagram, HistoryCount(store, kAnagram, history))) {
          const std::optional<TAnagramEntry> entry = ParseAnagram(value);
          if (entry)
            history.AppendAnagram(Cut(entry->Letters), entry->Mode);
          else
            damaged = true;
        }
        return damaged ? TStatus::Error("anagram mode") : TStatus::Ok();
      });
}

bool ReadMeaningHistory(TSettingsFile& file, TSearchHistory& history) {
  return ReadSettingsGroup(
      file, ShellText(TShellText::MeaningReadError), [&](const TIniStore& store) {
        bool damaged = false;
        for (const std::string& value :
             NumberedValues(store, kMeaning, HistoryCount(store, kMeaning, history))) {
          // A cut value may end inside its clue, which still reads as "pattern : clue".
          const std::string text = Cut(value);
          if (SplitMeaningText(text))
            history.AppendMeaning(text);
          else if (!text.empty())
            damaged = true;
        }
        return damaged ? TStatus::Error("meaning entry") : TStatus::Ok();
      });
}

bool ReadEqualLetters(TSettingsFile& file, TCharacterManager& manager, TSearchHistory& history) {
  return ReadSettingsGroup(
      file, ShellText(TShellText::EqualLettersReadError), [&](const TIniStore& store) {
        const std::int32_t count = store.ReadInteger(kEqual, "Count", 0);
        for (const std::string& value : NumberedValues(store, kEqual, count))
          if (const std::optional<TEqualLetters> group = ParseEqualLetters(value))
            history.AddEqualLetters(manager, *group);
        return TStatus::Ok();
      });
}

TStatus WritePatternHistory(TSettingsFile& file, const TSearchHistory& history) {
  return WriteBranch(file, kPattern, history, THistoryBranch::Crossword);
}

TStatus WriteAnagramHistory(TSettingsFile& file, const TSearchHistory& history) {
  return WriteBranch(file, kAnagram, history, THistoryBranch::Anagrams);
}

TStatus WriteMeaningHistory(TSettingsFile& file, const TSearchHistory& history) {
  return WriteBranch(file, kMeaning, history, THistoryBranch::Meaning);
}

TStatus WriteEqualLetters(TSettingsFile& file, const TCharacterManager& manager) {
  return file.Update([&](TIniStore& store) {
    store.WriteInteger(kEqual, "Count", manager.EqualLettersCount());
    for (std::int32_t i = 0; i < manager.EqualLettersCount(); ++i) {
      const TEqualLetters group = manager.GetEqualLetters(i);
      store.WriteString(kEqual, std::to_string(i + 1),
                        EqualLettersText(group) + (group.Active ? ",1" : ",0"));
    }
  });
}

}  // namespace gryvel
