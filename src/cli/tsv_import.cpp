#include "cli/tsv_import.h"

#include <algorithm>

#include "common/cp1251_utf8.h"
#include "dictionary/kiv_format.h"
#include "dictionary/word_order.h"

namespace gryvel::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kPartsHelp =
    "(parts of speech n a v r p i, then /s or /p for the number, e.g. nv/p)";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::uint16_t PartBit(char letter) {
  switch (letter) {
    case 'n':
      return kPartNoun;
    case 'a':
      return kPartAdjective;
    case 'v':
      return kPartVerb;
    case 'r':
      return kPartAdverb;
    case 'p':
      return kPartPreposition;
    case 'i':
      return kPartInterjection;
    default:
      return 0;
  }
}

std::uint16_t NumberBit(char letter) {
  return letter == 's' ? kFlagSingular : letter == 'p' ? kFlagPlural : 0;
}

// "nv/p": part-of-speech letters, then after "/" number letters; either case.
TStatus ParseParts(std::string_view field, TImportEntry* entry) {
  field = Trim(field);
  bool number = false;
  for (const char letter : field) {
    if (letter == '/' && !number) {
      number = true;
      continue;
    }
    const char c = letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
    const std::uint16_t bit = number ? NumberBit(c) : PartBit(c);
    if (bit == 0)
      return TStatus::Error("parts '" + std::string(field) + "' cannot be read " +
                            std::string(kPartsHelp));
    (number ? entry->Flags : entry->Parts) |= bit;
  }
  return TStatus::Ok();
}

// The description with "\n", "\t" and "\\" decoded; other backslashes stay as they are.
std::string Unescape(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char next = i + 1 < field.size() ? field[i + 1] : '\0';
    if (field[i] != '\\' || (next != 'n' && next != 't' && next != '\\')) {
      text += field[i];
      continue;
    }
    if (next == 'n')
      text += kDescriptionLineBreak;
    else
      text += next == 't' ? '\t' : '\\';
    ++i;
  }
  return text;
}

TStatus ParseWord(std::string_view field, std::string* word) {
  field = Trim(field);
  if (field.empty()) return TStatus::Error("the word is empty");
  if (TStatus status = Utf8ToCp1251(field, word); !status.ok()) return status;
  if (word->size() > kMaxWordLength)
    return TStatus::Error("the word is longer than " + std::to_string(kMaxWordLength) +
                          " characters");
  return TStatus::Ok();
}

// One line that is not blank. A character the dictionary cannot store is named by its
// position in the line, before the fields are taken apart.
TStatus ParseLine(std::string_view line, TImportEntry* entry) {
  if (const std::optional<TUnstorable> found = FindUnstorable(line))
    return TStatus::Error(found->Message);
  const std::size_t tab = line.find('\t');
  if (TStatus status = ParseWord(line.substr(0, tab), &entry->Word); !status.ok()) return status;
  if (tab == std::string_view::npos) return TStatus::Ok();
  const std::string_view rest = line.substr(tab + 1);
  const std::size_t second = rest.find('\t');
  if (TStatus status = ParseParts(rest.substr(0, second), entry); !status.ok()) return status;
  if (second == std::string_view::npos) return TStatus::Ok();
  return Utf8ToCp1251(Unescape(rest.substr(second + 1)), &entry->Description);
}

// Words in word order; byte-identical words next to each other, in file order.
bool SortsBefore(const TImportEntry& a, const TImportEntry& b) {
  const int order = CompareWords(a.Word, b.Word);
  return order != 0 ? order < 0 : a.Word < b.Word;
}

void MergeInto(TImportEntry& kept, const TImportEntry& same) {
  kept.Parts |= same.Parts;
  kept.Flags |= same.Flags;
  if (same.Description.empty() || kept.Description == same.Description) return;
  if (!kept.Description.empty()) kept.Description += kDescriptionLineBreak;
  kept.Description += same.Description;
}

}  // namespace

TStatus ParseTsv(std::string_view utf8, std::vector<TImportEntry>* entries) {
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
  entries->clear();
  std::size_t number = 0;
  while (!utf8.empty()) {
    ++number;
    const std::size_t end = utf8.find('\n');
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (Trim(line).empty()) continue;
    TImportEntry entry;
    if (TStatus status = ParseLine(line, &entry); !status.ok())
      return TStatus::Error("line " + std::to_string(number) + ": " + status.message());
    entries->push_back(std::move(entry));
  }
  return TStatus::Ok();
}

void SortAndMerge(std::vector<TImportEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), SortsBefore);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (kept > 0 && entries[kept - 1].Word == entries[i].Word) {
      MergeInto(entries[kept - 1], entries[i]);
    } else {
      if (kept != i) entries[kept] = std::move(entries[i]);
      ++kept;
    }
  }
  entries.resize(kept);
}

void FillDictionary(TKivDictionary& dictionary, const std::vector<TImportEntry>& entries) {
  TArticleList& list = dictionary.Entries();
  list.SetCapacity(static_cast<std::int32_t>(entries.size()));
  for (const TImportEntry& entry : entries) {
    const std::int32_t index = list.AddArticle(entry.Word);
    if (index < 0) throw EListError("out of memory for the entries");
    TArticleItem* item = list.Get(index);
    item->Parts = entry.Parts;
    item->Flags |= entry.Flags;
    if (!entry.Description.empty()) dictionary.SetDescription(index, entry.Description);
  }
  dictionary.SetLoaded();
}

std::string GuessLanguage(const TArticleList& entries) {
  for (const TArticleItem* item : entries.Items())
    for (const char c : item->Word)
      if (static_cast<unsigned char>(c) >= 0x80) return "RUS";
  return "ENG";
}

}  // namespace gryvel::cli
