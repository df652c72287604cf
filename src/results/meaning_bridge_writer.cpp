#include "results/meaning_bridge_writer.h"

#include <algorithm>
#include <utility>

#include "common/cp1251_case.h"
#include "dictionary/file_io.h"
#include "results/meaning_bridge_format.h"
#include "search/word_stemmer.h"

namespace gryvel {

namespace {

namespace format = bridge_format;

// Stem → word of the other language (its id) → weight.
using TStemPostings = std::map<std::string, std::map<std::uint32_t, std::uint8_t>>;

bool IsAsciiLetter(char c) {
  return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

bool IsEnglishWord(std::string_view word) {
  if (word.empty() || !IsAsciiLetter(word.front()) || !IsAsciiLetter(word.back())) return false;
  return std::all_of(word.begin(), word.end(),
                     [](char c) { return IsAsciiLetter(c) || c == '-' || c == '\''; });
}

void AppendU32(std::uint32_t value, std::string* out) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<char>(value >> shift));
}

// Count, end offsets of the words, their bytes.
std::string WordTable(const std::vector<std::string_view>& words) {
  std::string table;
  AppendU32(static_cast<std::uint32_t>(words.size()), &table);
  std::uint32_t end = 0;
  for (const std::string_view word : words) AppendU32(end += word.size(), &table);
  for (const std::string_view word : words) table += word;
  return table;
}

// Count, end offsets of the stems, end offsets of their posting lists, the postings (heaviest
// first), the stems' bytes.
std::string StemTable(const TStemPostings& stems) {
  std::string table;
  AppendU32(static_cast<std::uint32_t>(stems.size()), &table);
  std::uint32_t end = 0;
  for (const auto& [stem, postings] : stems) AppendU32(end += stem.size(), &table);
  end = 0;
  for (const auto& [stem, postings] : stems) AppendU32(end += postings.size(), &table);
  std::vector<std::pair<std::uint8_t, std::uint32_t>> sorted;
  for (const auto& [stem, postings] : stems) {
    sorted.clear();
    for (const auto& [id, weight] : postings) sorted.emplace_back(weight, id);
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    for (const auto& [weight, id] : sorted)
      AppendU32(id | std::uint32_t{weight} << format::kIdBits, &table);
  }
  for (const auto& [stem, postings] : stems) table += stem;
  return table;
}

constexpr const char* kTooLarge = "Too many words for a meaning bridge";

// The count at the start of a word table.
std::uint32_t WordCount(const std::string& table) {
  std::uint32_t count = 0;
  for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<std::uint8_t>(table[i]);
  return count;
}

// The stems of a list of words, and which words are derived: longer than the shortest word of
// their stem ("watered" beside "water"). A derived word's translations weigh half under the
// stem, so that the stem's own word comes first.
struct TStems {
  std::vector<std::string> Stems;
  std::vector<bool> Derived;
};

TStems StemsOf(const std::vector<std::string_view>& words) {
  TWordStemmer stemmer;
  TStems stems;
  std::map<std::string_view, std::size_t> shortest;
  for (const std::string_view word : words) {
    stems.Stems.emplace_back();
    stemmer.Stem(word, &stems.Stems.back());
  }
  for (std::size_t i = 0; i < words.size(); ++i) {
    const auto [at, added] = shortest.emplace(stems.Stems[i], words[i].size());
    if (!added) at->second = std::min(at->second, words[i].size());
  }
  for (std::size_t i = 0; i < words.size(); ++i)
    stems.Derived.push_back(words[i].size() > shortest.at(stems.Stems[i]));
  return stems;
}

std::uint8_t Half(std::uint8_t weight) {
  return static_cast<std::uint8_t>((weight + 1) / 2);
}

// Adds a posting, keeping the larger weight of a pair met twice.
void Post(TStemPostings* stems, const std::string& stem, std::uint32_t id, std::uint8_t weight) {
  std::uint8_t& kept = (*stems)[stem][id];
  kept = std::max(kept, weight);
}

}  // namespace

bool TMeaningBridgeWriter::Add(std::string_view headword,
                               const std::vector<TBridgeTranslation>& translations) {
  if (!IsEnglishWord(headword)) return false;
  std::string english(headword);
  for (char& c : english) c = static_cast<char>(Lower(static_cast<std::uint8_t>(c)));
  auto& pairs = FPairs[english];
  for (const TBridgeTranslation& translation : translations) {
    std::uint8_t& kept = pairs[translation.Word];
    kept = std::max(kept, translation.Weight);
  }
  return true;
}

std::vector<std::pair<std::uint32_t, std::string>> TMeaningBridgeWriter::Sections() const {
  std::map<std::string_view, std::uint32_t> russian_ids;
  for (const auto& [english, pairs] : FPairs)
    for (const auto& [russian, weight] : pairs) russian_ids.emplace(russian, 0);
  std::vector<std::string_view> russian_words, english_words;
  for (auto& [russian, id] : russian_ids) {
    id = static_cast<std::uint32_t>(russian_words.size());
    russian_words.push_back(russian);
  }
  for (const auto& [english, pairs] : FPairs) english_words.push_back(english);
  // Only English words are all head words, where a longer word of a stem is derived; the
  // Russian ones include forms out of phrases ("озер" beside "озеро").
  const std::vector<std::string> russian_stems_of = StemsOf(russian_words).Stems;
  const TStems english = StemsOf(english_words);

  TStemPostings russian_stems, english_stems;
  std::uint32_t english_id = 0;
  for (const auto& [english_word, pairs] : FPairs) {
    for (const auto& [russian_word, weight] : pairs) {
      const std::uint32_t russian_id = russian_ids.at(russian_word);
      Post(&english_stems, english.Stems[english_id], russian_id,
           english.Derived[english_id] ? Half(weight) : weight);
      Post(&russian_stems, russian_stems_of[russian_id], english_id, weight);
    }
    ++english_id;
  }
  return {
      {format::kNoteTag, std::string()},
      {format::kRussianWordsTag, WordTable(russian_words)},
      {format::kEnglishWordsTag, WordTable(english_words)},
      {format::kRussianStemsTag, StemTable(russian_stems)},
      {format::kEnglishStemsTag, StemTable(english_stems)},
  };
}

TStatus TMeaningBridgeWriter::Write(std::string_view note, TWriteFile& file) const {
  if (FPairs.size() >= format::kMaxWords) return TStatus::Error(kTooLarge);
  auto sections = Sections();
  sections.front().second = note;
  std::string head(format::kMagic);
  for (const std::uint16_t version : {format::kMajorVersion, format::kMinorVersion}) {
    head.push_back(static_cast<char>(version));
    head.push_back(static_cast<char>(version >> 8));
  }
  AppendU32(static_cast<std::uint32_t>(sections.size()), &head);
  std::uint64_t offset = format::kHeaderSize + format::kSectionEntrySize * sections.size();
  for (const auto& [tag, bytes] : sections) {
    AppendU32(tag, &head);
    AppendU32(static_cast<std::uint32_t>(offset), &head);
    AppendU32(static_cast<std::uint32_t>(bytes.size()), &head);
    offset += bytes.size();
  }
  // Ids hold 24 bits and offsets 32.
  if (offset > UINT32_MAX || WordCount(sections[1].second) >= format::kMaxWords)
    return TStatus::Error(kTooLarge);
  TStatus status = file.Append(head.data(), head.size());
  for (const auto& [tag, bytes] : sections)
    if (status.ok()) status = file.Append(bytes.data(), bytes.size());
  return status;
}

}  // namespace gryvel
