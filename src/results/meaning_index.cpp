#include "results/meaning_index.h"

#include <algorithm>
#include <functional>
#include <thread>

#include "dictionary/dictionary_collection.h"
#include "results/array_file.h"

namespace gryvel {

void TMeaningDocuments::Add(std::int32_t entry, std::string_view text) {
  if (FBlocks.empty() || FBlocks.back().capacity() - FBlocks.back().size() < text.size()) {
    FBlocks.emplace_back();
    FBlocks.back().reserve(std::max<std::size_t>(std::size_t{1} << 20, text.size()));
  }
  std::string& block = FBlocks.back();
  const std::size_t start = block.size();
  block.append(text);
  FTexts.emplace_back(block.data() + start, text.size());
  FEntries.push_back(entry);
  FBytes += text.size();
}

void ForEachDescription(const TDictionaryCollection& collection,
                        const std::function<void(std::int32_t, std::string_view)>& visit) {
  for (std::int32_t d = 0; d < collection.DictionaryCount(); ++d) {
    const TKivDictionary& dictionary = *collection.Dictionary(d);
    if (!dictionary.Connected() || dictionary.Loading()) continue;
    const TArticleList& entries = dictionary.Entries();
    // A description the file no longer gives is left out: the search finds less, nothing
    // breaks, and the viewer reports the damage when the entry is shown.
    (void)dictionary.ForEachDescription([&](std::int32_t index, std::string_view text) {
      const std::int32_t entry = collection.Find(entries.Get(index)->Word);
      if (entry >= 0) visit(entry, text);
    });
  }
}

TMeaningDocuments CollectDescriptions(const TDictionaryCollection& collection) {
  TMeaningDocuments documents;
  ForEachDescription(
      collection, [&](std::int32_t entry, std::string_view text) { documents.Add(entry, text); });
  return documents;
}

namespace meaning_detail {

TMeaningField LabelField(std::string_view word) {
  static constexpr std::pair<std::string_view, TMeaningField> kLabels[] = {
      {"syn", TMeaningField::kSynonym},       {"similar", TMeaningField::kSimilar},
      {"hypernym", TMeaningField::kHypernym}, {"also", TMeaningField::kAlso},
      {"related", TMeaningField::kRelated},   {"attribute", TMeaningField::kAttribute},
  };
  for (const auto& [label, field] : kLabels)
    if (word == label) return field;
  return TMeaningField::kGloss;
}

}  // namespace meaning_detail

TMeaningIndex::TMeaningIndex(const TByteMap& map)
    : FMap(map), FCaseSensitive(map['A'] != map['a'] || map[0xC0] != map[0xE0]) {}

void TMeaningIndex::Normalize(std::string_view word, std::string* out) const {
  out->resize(word.size());
  for (std::size_t i = 0; i < word.size(); ++i)
    (*out)[i] = static_cast<char>(FMap[static_cast<std::uint8_t>(word[i])]);
}

void TMeaningIndex::KeyOfNormalized(std::string_view token, std::string* key) {
  FScratch.resize(token.size());
  for (std::size_t i = 0; i < token.size(); ++i)
    FScratch[i] = static_cast<char>(kLowerCase[static_cast<std::uint8_t>(token[i])]);
  FStemmer.Stem(FScratch, key);
  if (!FCaseSensitive) return;
  // The stem is of the lower-case word: the places of capitals keep "Рим" apart from "рим".
  const std::size_t n = std::min(key->size(), token.size());
  key->push_back('\0');
  for (std::size_t i = 0; i < n; ++i)
    if (token[i] != FScratch[i]) key->push_back(static_cast<char>(i + 1));
}

void TMeaningIndex::Key(std::string_view word, std::string* key) {
  std::string token;
  Normalize(word, &token);
  KeyOfNormalized(token, key);
}

namespace {

// The words of a run of documents numbered by a table of their own, so that two runs can go
// on two threads.
struct TWordRun {
  using TDocuments = std::vector<std::pair<std::int32_t, std::uint32_t>>;

  explicit TWordRun(const TByteMap& map) : Map(map) {}

  // Reads documents [first, last); false when `cancel` turned true meanwhile.
  bool Read(const TMeaningDocuments& documents, std::size_t first, std::size_t last,
            const std::atomic<bool>* cancel) {
    std::size_t bytes = 0;
    for (std::size_t i = first; i < last; ++i) bytes += documents.Text(i).size();
    // Room from the text's size: a word is 6 bytes or more with its separator; distinct
    // words grow slower than the text, one per 130 bytes in the bundled dictionaries, and a
    // text with more grows the table once or twice.
    Words.reserve(bytes / 6);
    Documents.reserve(last - first);
    Tokens.Reserve(bytes / 128, bytes / 16);
    for (std::size_t i = first; i < last; ++i) {
      if (cancel != nullptr && i % 1024 == 0 && cancel->load(std::memory_order_relaxed))
        return false;
      Add(documents.Entry(i), documents.Text(i));
    }
    return true;
  }

  void Add(std::int32_t entry, std::string_view text) {
    // The words go through the map into Buffer, which never moves while they are looked up.
    if (Buffer.size() < text.size()) Buffer.resize(std::max(text.size(), 2 * Buffer.size()));
    Batch.clear();
    Fields.clear();
    std::size_t used = 0;
    ForEachMeaningWord(text, [&](std::string_view word, TMeaningField field) {
      char* const to = Buffer.data() + used;
      for (std::size_t i = 0; i < word.size(); ++i)
        to[i] = static_cast<char>(Map[static_cast<std::uint8_t>(word[i])]);
      const std::string_view token(to, word.size());
      used += word.size();
      Batch.push_back({token, TWordTable::Hash(token)});
      Fields.push_back(static_cast<std::int32_t>(field));
    });
    const std::size_t start = Words.size();
    Words.resize(start + Batch.size());
    constexpr std::size_t kBatch = 64;  // places fetched ahead: more would leave the cache
    for (std::size_t i = 0; i < Batch.size(); i += kBatch)
      Tokens.InsertMany(Batch.data() + i, std::min(kBatch, Batch.size() - i),
                        Words.data() + start + i);
    for (std::size_t i = 0; i < Fields.size(); ++i)
      Words[start + i] = Words[start + i] << kMeaningFieldBits | Fields[i];
    Documents.emplace_back(entry, static_cast<std::uint32_t>(Words.size()));
  }

  // Appends `other`'s documents, renumbering their words into this run's table.
  void Append(const TWordRun& other) {
    std::vector<std::int32_t> renumber(static_cast<std::size_t>(other.Tokens.Count()));
    for (std::size_t t = 0; t < renumber.size(); ++t)
      renumber[t] = Tokens.Insert(other.Tokens.Word(static_cast<std::int32_t>(t)));
    const auto offset = static_cast<std::uint32_t>(Words.size());
    Words.reserve(Words.size() + other.Words.size());
    constexpr std::int32_t kFieldMask = (1 << kMeaningFieldBits) - 1;
    for (const std::int32_t word : other.Words)
      Words.push_back(renumber[word >> kMeaningFieldBits] << kMeaningFieldBits |
                      (word & kFieldMask));
    for (const auto& [entry, end] : other.Documents) Documents.emplace_back(entry, end + offset);
  }

  const TByteMap& Map;
  TWordTable Tokens;
  TMeaningIndex::TLargeIds Words;  // the token << kMeaningFieldBits | field of every word
  TDocuments Documents;             // per document: its entry, the end of its words in Words
  std::string Buffer;
  std::vector<TWordTable::THashed> Batch;  // the words of one document, under the map
  std::vector<std::int32_t> Fields;        // and their fields
};

// Below this much text a second thread costs more than it saves.
constexpr std::size_t kSplitBytes = std::size_t{1} << 20;

}  // namespace

bool TMeaningIndex::Build(const TMeaningDocuments& documents, const std::atomic<bool>* cancel) {
  FEdited.clear();
  FAdded.clear();
  // Two halves of about equal text, the second read on a thread of its own.
  std::size_t split = documents.Count();
  if (documents.Bytes() >= kSplitBytes) {
    std::size_t bytes = 0;
    for (split = 0; split < documents.Count() && bytes < documents.Bytes() / 2; ++split)
      bytes += documents.Text(split).size();
  }
  TWordRun first(FMap);
  TWordRun second(FMap);
  bool second_read = true;
  bool first_read = false;
  {
    std::jthread helper;
    if (split < documents.Count())
      helper = std::jthread(
          [&] { second_read = second.Read(documents, split, documents.Count(), cancel); });
    first_read = first.Read(documents, 0, split, cancel);
  }
  if (!first_read || !second_read) {
    Clear();
    return false;
  }
  first.Append(second);
  FTokens = std::move(first.Tokens);
  MakePostings(first.Words, first.Documents);
  MakeKeys();
  return true;
}

void TMeaningIndex::MakePostings(
    const TLargeIds& words,
    const std::vector<std::pair<std::int32_t, std::uint32_t>>& documents) {
  // A counting sort by token keeps each token's entries in document order, which is entry
  // order within each dictionary; lists that several dictionaries fed are sorted after.
  FPostingStart.assign(static_cast<std::size_t>(FTokens.Count()) + 1, 0);
  for (const std::int32_t word : words) ++FPostingStart[(word >> kMeaningFieldBits) + 1];
  for (std::size_t t = 1; t < FPostingStart.size(); ++t) FPostingStart[t] += FPostingStart[t - 1];
  FPostings.resize(words.size());
  {
    std::vector<std::uint32_t> next(FPostingStart.begin(), FPostingStart.end() - 1);
    std::uint32_t k = 0;
    for (const auto& [entry, end] : documents)
      for (; k < end; ++k) {
        const std::int32_t word = words[k];
        FPostings[next[word >> kMeaningFieldBits]++] =
            entry << kMeaningFieldBits | (word & ((1 << kMeaningFieldBits) - 1));
      }
  }
  std::uint32_t kept = 0;
  for (std::size_t t = 0; t + 1 < FPostingStart.size(); ++t) {
    const auto first = FPostings.begin() + FPostingStart[t];
    const auto last = FPostings.begin() + FPostingStart[t + 1];
    if (!std::is_sorted(first, last)) std::sort(first, last);
    const auto end = std::unique(first, last);
    FPostingStart[t] = kept;
    kept += static_cast<std::uint32_t>(std::copy(first, end, FPostings.begin() + kept) -
                                       (FPostings.begin() + kept));
  }
  FPostingStart.back() = kept;
  FPostings.resize(kept);
  FPostings.shrink_to_fit();
}

void TMeaningIndex::MakeKeys() {
  FKeys.Clear();
  const auto tokens = static_cast<std::size_t>(FTokens.Count());
  std::vector<std::int32_t> key_of(tokens);
  std::string key;
  for (std::size_t t = 0; t < tokens; ++t) {
    KeyOfNormalized(FTokens.Word(static_cast<std::int32_t>(t)), &key);
    key_of[t] = FKeys.Insert(key);
  }
  FKeyStart.assign(static_cast<std::size_t>(FKeys.Count()) + 1, 0);
  for (const std::int32_t k : key_of) ++FKeyStart[k + 1];
  for (std::size_t k = 1; k < FKeyStart.size(); ++k) FKeyStart[k] += FKeyStart[k - 1];
  FKeyTokens.resize(tokens);
  std::vector<std::uint32_t> next(FKeyStart.begin(), FKeyStart.end() - 1);
  for (std::size_t t = 0; t < key_of.size(); ++t)
    FKeyTokens[next[key_of[t]]++] = static_cast<std::int32_t>(t);
  FSortedTokens.resize(tokens);
  for (std::size_t t = 0; t < tokens; ++t) FSortedTokens[t] = static_cast<std::int32_t>(t);
  std::sort(FSortedTokens.begin(), FSortedTokens.end(),
            [&](std::int32_t a, std::int32_t b) { return FTokens.Word(a) < FTokens.Word(b); });
}

void TMeaningIndex::EntriesWithKey(std::string_view key, std::vector<std::int32_t>* entries) const {
  ForEachWithKey(key, [entries](std::int32_t entry, TMeaningField) { entries->push_back(entry); });
}

void TMeaningIndex::EntriesWithPrefix(std::string_view prefix, std::vector<std::int32_t>* entries) {
  ForEachWithPrefix(prefix,
                    [entries](std::int32_t entry, TMeaningField) { entries->push_back(entry); });
}

std::size_t TMeaningIndex::KeyCount(std::string_view key) const {
  std::size_t count = 0;
  const std::int32_t found = FKeys.Find(key);
  if (found >= 0)
    for (std::uint32_t i = FKeyStart[found]; i < FKeyStart[found + 1]; ++i)
      count += FPostingStart[FKeyTokens[i] + 1] - FPostingStart[FKeyTokens[i]];
  return count;
}

void TMeaningIndex::Update(std::int32_t entry, const std::vector<std::string>& texts) {
  FEdited.insert(entry);
  std::erase_if(FAdded, [entry](const TAdded& added) { return added.Entry == entry; });
  for (const std::string& text : texts)
    ForEachMeaningWord(text, [&](std::string_view word, TMeaningField field) {
      TAdded added{{}, {}, entry, field};
      Normalize(word, &added.Token);
      KeyOfNormalized(added.Token, &added.Key);
      FAdded.push_back(std::move(added));
    });
}

void TMeaningIndex::Clear() {
  FTokens.Clear();
  FPostingStart.assign(1, 0);
  FPostings.clear();
  FKeys.Clear();
  FKeyStart.assign(1, 0);
  FKeyTokens.clear();
  FSortedTokens.clear();
  FEdited.clear();
  FAdded.clear();
}

void TMeaningIndex::Write(TArrayWriter& out) const {
  FTokens.Write(out);
  out.Write(FPostingStart);
  out.Write(FPostings);
  FKeys.Write(out);
  out.Write(FKeyStart);
  out.Write(FKeyTokens);
  out.Write(FSortedTokens);
}

bool TMeaningIndex::Read(TArrayReader& in, std::int32_t entry_count) {
  Clear();
  if (FTokens.Read(in) && in.Read(&FPostingStart) && in.Read(&FPostings) && FKeys.Read(in) &&
      in.Read(&FKeyStart) && in.Read(&FKeyTokens) && in.Read(&FSortedTokens) && in.AtEnd() &&
      Sound(entry_count))
    return true;
  Clear();
  return false;
}

bool TMeaningIndex::Sound(std::int32_t entry_count) const {
  // Each start list begins at 0, never falls, and ends where its list ends; every number is
  // in range. Nothing in a search then reads outside the index or the entry list.
  const auto starts_fit = [](const std::vector<std::uint32_t>& starts, std::size_t groups,
                             std::size_t total) {
    return starts.size() == groups + 1 && starts.front() == 0 && starts.back() == total &&
           std::is_sorted(starts.begin(), starts.end());
  };
  const auto below = [](const auto& values, std::int64_t end) {
    return std::all_of(values.begin(), values.end(),
                       [end](std::int32_t v) { return v >= 0 && v < end; });
  };
  const auto tokens = static_cast<std::size_t>(FTokens.Count());
  return starts_fit(FPostingStart, tokens, FPostings.size()) &&
         starts_fit(FKeyStart, static_cast<std::size_t>(FKeys.Count()), tokens) &&
         FKeyTokens.size() == tokens && FSortedTokens.size() == tokens &&
         below(FPostings, std::int64_t{entry_count} << kMeaningFieldBits) &&
         below(FKeyTokens, FTokens.Count()) &&
         below(FSortedTokens, FTokens.Count());
}

std::size_t TMeaningIndex::MemoryBytes() const {
  std::size_t bytes = FPostings.capacity() * sizeof(std::int32_t) +
                      FPostingStart.capacity() * sizeof(std::uint32_t) +
                      FKeyStart.capacity() * sizeof(std::uint32_t) +
                      (FKeyTokens.capacity() + FSortedTokens.capacity()) * sizeof(std::int32_t) +
                      FTokens.MemoryBytes() + FKeys.MemoryBytes();
  for (const TAdded& added : FAdded) bytes += sizeof(TAdded) + added.Token.capacity();
  return bytes;
}

}  // namespace gryvel
