#include "results/meaning_bridge.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"
#include "dictionary/file_io.h"
#include "results/meaning_bridge_format.h"

namespace gryvel {

namespace {

namespace format = bridge_format;

constexpr std::uint8_t kSmallYo = 0xB8;
constexpr std::uint8_t kSmallYe = 0xE5;

std::uint32_t U32(const char* p) {
  const auto* b = reinterpret_cast<const std::uint8_t*>(p);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}
std::uint16_t U16(const char* p) {
  const auto* b = reinterpret_cast<const std::uint8_t*>(p);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

TStatus Damaged(const char* what) {
  return TStatus::Error(std::string("The meaning bridge file is damaged: ") + what);
}

// True when the `count` little-endian numbers at `ends` never decrease and stay within `limit`.
bool EndsWithin(const char* ends, std::uint32_t count, std::uint64_t limit) {
  std::uint32_t previous = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t end = U32(ends + 4 * std::size_t{i});
    if (end < previous || end > limit) return false;
    previous = end;
  }
  return true;
}

}  // namespace

std::string_view TMeaningBridge::TWordTable::At(std::uint32_t i) const {
  const std::uint32_t start = i == 0 ? 0 : U32(Ends + 4 * std::size_t{i - 1});
  return std::string_view(Text + start, U32(Ends + 4 * std::size_t{i}) - start);
}

TStatus TMeaningBridge::Load(TFileSystem& files, const std::string& path) {
  Clear();
  int error = 0;
  const std::unique_ptr<TReadFile> file =
      files.OpenForReading(path, TReadAccess::kSequential, &error);
  const auto failed = [&](int code) {
    return TStatus::SystemError(
        "Error opening \"" + PathForMessage(path) + "\": " + SystemErrorText(code), code);
  };
  if (!file) return failed(error);
  std::string bytes(file->Size(), '\0');
  if (file->ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return failed(EIO);
  return Parse(std::move(bytes));
}

TStatus TMeaningBridge::Parse(std::string bytes) {
  Clear();
  FBytes = std::move(bytes);
  TStatus status = ReadSections();
  if (!status.ok()) Clear();
  return status;
}

void TMeaningBridge::Clear() {
  FBytes.clear();
  FBytes.shrink_to_fit();
  FNote = {};
  FRussianWords = FEnglishWords = {};
  FRussianStems = FEnglishStems = {};
}

// Header: magic, major and minor version (16 bits each), section count; then per section its
// tag, offset and size (32 bits each). Sections of unknown tags come from later minor versions.
TStatus TMeaningBridge::ReadSections() {
  const std::string_view file = FBytes;
  if (file.size() < format::kHeaderSize || !file.starts_with(format::kMagic))
    return TStatus::Error("Not a meaning bridge file");
  const std::uint16_t major = U16(file.data() + 8);
  if (major != format::kMajorVersion)
    return TStatus::Error("The meaning bridge file has version " + std::to_string(major) + "." +
                          std::to_string(U16(file.data() + 10)) + ", which this program " +
                          "cannot read (it reads version " + std::to_string(format::kMajorVersion) +
                          ")");
  const std::uint32_t count = U32(file.data() + 12);
  if (std::uint64_t{count} * format::kSectionEntrySize > file.size() - format::kHeaderSize)
    return Damaged("the table of sections runs past the end");

  std::string_view sections[5];
  const std::uint32_t tags[5] = {format::kNoteTag, format::kRussianWordsTag,
                                 format::kEnglishWordsTag, format::kRussianStemsTag,
                                 format::kEnglishStemsTag};
  for (std::uint32_t i = 0; i < count; ++i) {
    const char* entry = file.data() + format::kHeaderSize + format::kSectionEntrySize * i;
    const std::uint32_t offset = U32(entry + 4), size = U32(entry + 8);
    if (offset > file.size() || size > file.size() - offset)
      return Damaged("a section runs past the end");
    const auto known = std::find(std::begin(tags), std::end(tags), U32(entry));
    if (known != std::end(tags)) sections[known - std::begin(tags)] = file.substr(offset, size);
  }
  if (std::any_of(std::begin(sections) + 1, std::end(sections),
                  [](std::string_view section) { return section.data() == nullptr; }))
    return Damaged("a section is missing");

  FNote = sections[0];
  TStatus status = ReadWordTable(sections[1], &FRussianWords);
  if (status.ok()) status = ReadWordTable(sections[2], &FEnglishWords);
  if (status.ok()) status = ReadStemTable(sections[3], FEnglishWords.Count, &FRussianStems);
  if (status.ok()) status = ReadStemTable(sections[4], FRussianWords.Count, &FEnglishStems);
  return status;
}

// Count, end offsets of the words, their text.
TStatus TMeaningBridge::ReadWordTable(std::string_view bytes, TWordTable* table) {
  if (bytes.size() < 4) return Damaged("a word table is cut short");
  const std::uint32_t count = U32(bytes.data());
  if (std::uint64_t{count} * 4 > bytes.size() - 4) return Damaged("a word table is cut short");
  const char* ends = bytes.data() + 4;
  const std::uint64_t text_size = bytes.size() - 4 - std::uint64_t{count} * 4;
  if (!EndsWithin(ends, count, text_size)) return Damaged("a word runs past its table");
  *table = {ends, ends + 4 * std::size_t{count}, count};
  return TStatus::Ok();
}

// Count, end offsets of the stems, end offsets of their posting lists, the postings (word id
// of the other language in the low 24 bits, weight in the high 8), the stems' text.
TStatus TMeaningBridge::ReadStemTable(std::string_view bytes, std::uint32_t targets,
                                      TStemTable* table) {
  if (bytes.size() < 4) return Damaged("a stem table is cut short");
  const std::uint32_t count = U32(bytes.data());
  const std::uint64_t lists_end = 4 + std::uint64_t{count} * 8;
  if (lists_end > bytes.size()) return Damaged("a stem table is cut short");
  const char* stem_ends = bytes.data() + 4;
  const char* posting_ends = stem_ends + 4 * std::size_t{count};
  const std::uint32_t postings = count == 0 ? 0 : U32(posting_ends + 4 * std::size_t{count - 1});
  if (std::uint64_t{postings} * 4 > bytes.size() - lists_end)
    return Damaged("a stem table is cut short");
  if (!EndsWithin(posting_ends, count, postings))
    return Damaged("a posting list runs past its table");
  const char* posting = bytes.data() + lists_end;
  for (std::uint32_t i = 0; i < postings; ++i) {
    const std::uint32_t value = U32(posting + 4 * std::size_t{i});
    if ((value & (format::kMaxWords - 1)) >= targets)
      return Damaged("a translation names a word the file does not hold");
    if (value >> format::kIdBits == 0) return Damaged("a translation weighs nothing");
  }
  const std::uint64_t text_start = lists_end + std::uint64_t{postings} * 4;
  if (!EndsWithin(stem_ends, count, bytes.size() - text_start))
    return Damaged("a stem runs past its table");
  *table = {{stem_ends, bytes.data() + text_start, count}, posting_ends, posting};
  return TStatus::Ok();
}

void TMeaningBridge::EnglishFor(std::string_view word, std::vector<TBridgeWord>* out) {
  Find(FRussianStems, FEnglishWords, word, out);
}

void TMeaningBridge::RussianFor(std::string_view word, std::vector<TBridgeWord>* out) {
  Find(FEnglishStems, FRussianWords, word, out);
}

void TMeaningBridge::Find(const TStemTable& stems, const TWordTable& targets, std::string_view word,
                          std::vector<TBridgeWord>* out) {
  out->clear();
  FKey.assign(word);
  for (char& c : FKey) {
    const std::uint8_t lower = Lower(static_cast<std::uint8_t>(c));
    c = static_cast<char>(lower == kSmallYo ? kSmallYe : lower);
  }
  FStemmer.Stem(FKey, &FStem);
  std::optional<std::uint32_t> found = FindStem(stems.Stems, FStem);
  // Stemming is not idempotent: "водоемы" → "водоем", but "водоем" → "водо".
  if (!found) {
    FKey.swap(FStem);
    FStemmer.Stem(FKey, &FStem);
    if (FStem != FKey) found = FindStem(stems.Stems, FStem);
  }
  if (!found) return;
  const std::uint32_t first =
      *found == 0 ? 0 : U32(stems.PostingEnds + 4 * std::size_t{*found - 1});
  const std::uint32_t last = U32(stems.PostingEnds + 4 * std::size_t{*found});
  for (std::uint32_t i = first; i < last; ++i) {
    const std::uint32_t posting = U32(stems.Postings + 4 * std::size_t{i});
    out->push_back({targets.At(posting & (format::kMaxWords - 1)),
                    static_cast<float>(posting >> format::kIdBits) / format::kMaxWeight});
  }
}

// Stems lie in byte order; an unordered table (a damaged file) only finds less.
std::optional<std::uint32_t> TMeaningBridge::FindStem(const TWordTable& stems,
                                                      std::string_view stem) {
  std::uint32_t low = 0, high = stems.Count;
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    if (stems.At(middle) < stem)
      low = middle + 1;
    else
      high = middle;
  }
  if (low == stems.Count || stems.At(low) != stem) return std::nullopt;
  return low;
}

}  // namespace gryvel
