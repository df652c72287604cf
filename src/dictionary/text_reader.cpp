#include "dictionary/text_reader.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"
#include "common/huge_pages.h"
#include "common/synchronize.h"
#include "dictionary/kiv_format.h"
#include "search/letter_maps.h"

namespace gryvel {

namespace {

constexpr std::array<bool, 256> kIsLetter = [] {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = IsLetter(static_cast<std::uint8_t>(b));
  return table;
}();

// Every letter of the code page above ASCII is a character U+0400-U+04BF, which UTF-8 writes in
// two bytes. The code page byte of each, 0 for the characters it lacks or that are no letters.
constexpr char32_t kCyrillicFirst = 0x0400;
constexpr char32_t kCyrillicEnd = 0x04C0;

const std::array<std::uint8_t, kCyrillicEnd - kCyrillicFirst>& CyrillicLetters() {
  static const auto table = [] {
    std::array<std::uint8_t, kCyrillicEnd - kCyrillicFirst> letters{};
    for (int b = 0x80; b < 256; ++b) {
      if (!kIsLetter[b]) continue;
      const std::string utf8 = Cp1251ToUtf8(std::string(1, static_cast<char>(b)));
      if (utf8.size() != 2) continue;
      const char32_t cp = (static_cast<char32_t>(utf8[0] & 0x1F) << 6) | (utf8[1] & 0x3F);
      if (cp >= kCyrillicFirst && cp < kCyrillicEnd)
        letters[cp - kCyrillicFirst] = static_cast<std::uint8_t>(b);
    }
    return letters;
  }();
  return table;
}

constexpr std::uint8_t kBom[] = {0xEF, 0xBB, 0xBF};

// Words are found by 32-bit places in the text kept in memory.
constexpr std::uint64_t kMaxArena = std::uint64_t{1} << 32;

bool IsContinuation(std::uint8_t b) {
  return (b & 0xC0) == 0x80;
}

// Decodes the UTF-8 sequence at `p` (not ASCII). Returns its length, 0 when the bytes
// available are a valid start cut short, or -1 when it is malformed (overlong forms,
// surrogates and values past U+10FFFF included).
int DecodeUtf8(const std::uint8_t* p, std::size_t available, char32_t* cp) {
  const std::uint8_t lead = p[0];
  int length;
  std::uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return -1;
  }
  char32_t value = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if (static_cast<std::size_t>(k) >= available) return 0;
    const std::uint8_t b = p[k];
    if (k == 1 ? (b < low || b > high) : !IsContinuation(b)) return -1;
    value = (value << 6) | (b & 0x3F);
  }
  *cp = value;
  return length;
}

// Gathers the words of the file and hands them to the entry list in word order without
// repeats, as sorting and packing the list would leave them. The words stay in one arena and
// are sorted as compact keys, which keeps a list of a million words fast to load.
class TWordCollector {
 public:
  TWordCollector(const TLoadJob& job, std::uint64_t file_size, bool whole_file) : job_(job) {
    Synchronize([&] { map_ = CollationMap(); });  // the UI thread owns the map
    // Code page text is kept whole in the arena; UTF-8 leaves fewer bytes of letters. A word
    // list has about one word per 8 bytes (a capped guess: any file may come here).
    if (whole_file) {
      arena_.reserve(file_size);
      AdviseHugePages(arena_.data(), arena_.capacity());
    }
    const std::uint64_t words = std::min<std::uint64_t>(file_size / 8, std::uint64_t{1} << 23);
    keys_.reserve(words);
    AdviseHugePages(keys_.data(), keys_.capacity() * sizeof(TKey));
  }

  bool stopped() const { return outcome_ != TLoadOutcome::kLoaded; }
  TLoadOutcome outcome() const { return outcome_; }

  // Code page text: appends the chunk to the arena and takes its runs of letters in place.
  void ScanCp1251(const std::uint8_t* chunk, std::size_t n) {
    const std::size_t from = arena_.size();
    arena_.append(reinterpret_cast<const char*>(chunk), n);
    const auto* data = reinterpret_cast<const std::uint8_t*>(arena_.data());
    const std::size_t end = arena_.size();
    std::size_t i = from;
    while (i < end && !stopped()) {
      if (!in_run_) {
        while (i < end && !kIsLetter[data[i]]) ++i;
        if (i == end) break;
        in_run_ = true;
        start_ = i;
      }
      while (i < end && kIsLetter[data[i]]) ++i;
      if (i == end) break;  // the run may go on in the next chunk
      EndWord(i);
    }
  }

  // UTF-8: the code page byte of a letter, or 0 for anything else, which ends the open word.
  void Letter(std::uint8_t letter) {
    if (letter != 0) {
      if (!in_run_) start_ = arena_.size();
      in_run_ = true;
      arena_.push_back(static_cast<char>(letter));
    } else if (in_run_) {
      EndWord(arena_.size());
    }
  }

  // Sorts, drops repeats and fills the job's entries.
  TLoadOutcome Finish() {
    if (in_run_) EndWord(arena_.size());
    if (stopped()) return outcome_;
    SortKeys();
    keys_.erase(std::unique(keys_.begin(), keys_.end(),
                            [this](const TKey& a, const TKey& b) {
                              return a.Key == b.Key && a.Key2 == b.Key2 &&
                                     View(a.Span) == View(b.Span);
                            }),
                keys_.end());
    ResetEntries(job_, keys_.size());
    TArticleList& entries = *job_.Entries;
    for (std::size_t k = 0; k < keys_.size(); ++k) {
      if (IsCancelled(job_)) return TLoadOutcome::kCancelled;
      // Sorted words lie all over the arena: fetch their bytes ahead.
      if (k + kPrefetch < keys_.size())
        __builtin_prefetch(arena_.data() + keys_[k + kPrefetch].Span.At);
      const std::int32_t index = entries.AddArticle(View(keys_[k].Span));
      if (index < 0)
        return FailLoad(job_, TLoadProblem::kOutOfMemory,
                        "Not enough memory. Error on reading the dictionary");
      if (job_.Position != nullptr) job_.Position->store(index + 1, std::memory_order_relaxed);
    }
    return TLoadOutcome::kLoaded;
  }

 private:
  // Where a word lies in the arena, which stays below kMaxArena.
  struct TSpan {
    std::uint32_t At;
    std::uint32_t Length;
  };
  // A word's first eight bytes (Key) and the eight after them (Key2), see KeyAt, and where it
  // lies. The radix sort orders by Key; runs of equal Key are ordered by Key2 before the bytes
  // are looked at.
  struct TKey {
    std::uint64_t Key;
    std::uint64_t Key2;
    TSpan Span;
  };

  // The eight bytes from `from` of a word of `length` bytes mapped through the collation map,
  // big-endian and zero-padded: letters never map to zero, so key order is the word order of
  // those bytes, a shorter word first.
  std::uint64_t KeyAt(const std::uint8_t* bytes, std::uint64_t length, std::uint64_t from) const {
    std::uint64_t key = 0;
    if (length >= from + 8) {
      for (std::uint64_t k = from; k < from + 8; ++k) key = key << 8 | map_[bytes[k]];
    } else {
      for (std::uint64_t k = from; k < from + 8; ++k)
        key = key << 8 | (k < length ? map_[bytes[k]] : 0);
    }
    return key;
  }

  static constexpr std::size_t kPrefetch = 16;

  // Sorts the keys in word order: a least-significant-digit radix sort of the 64-bit keys
  // (digits that are the same in every key are skipped), then each run of equal keys by the
  // rest of the order.
  void SortKeys() {
    constexpr int kBits = 11;
    constexpr int kDigits = (64 + kBits - 1) / kBits;
    constexpr std::size_t kRadix = std::size_t{1} << kBits;
    std::vector<std::size_t> counts(kDigits * kRadix, 0);
    for (const TKey& k : keys_)
      for (int d = 0; d < kDigits; ++d)
        ++counts[d * kRadix + ((k.Key >> (d * kBits)) & (kRadix - 1))];
    std::vector<TKey> other;
    other.reserve(keys_.size());
    AdviseHugePages(other.data(), other.capacity() * sizeof(TKey));
    other.resize(keys_.size());
    for (int d = 0; d < kDigits; ++d) {
      std::size_t* count = &counts[d * kRadix];
      if (std::find(count, count + kRadix, keys_.size()) != count + kRadix) continue;
      std::size_t sum = 0;
      for (std::size_t b = 0; b < kRadix; ++b) sum += std::exchange(count[b], sum);
      for (const TKey& k : keys_) other[count[(k.Key >> (d * kBits)) & (kRadix - 1)]++] = k;
      keys_.swap(other);
    }
    for (auto run = keys_.begin(); run != keys_.end();) {
      const auto end =
          std::find_if(run, keys_.end(), [&](const TKey& k) { return k.Key != run->Key; });
      if (end - run > 1)
        std::sort(run, end, [this](const TKey& a, const TKey& b) {
          if (a.Key2 != b.Key2) return a.Key2 < b.Key2;
          return Before(a.Span, b.Span);
        });
      run = end;
    }
  }

  void EndWord(std::size_t end) {
    in_run_ = false;
    const TSpan span{static_cast<std::uint32_t>(start_), static_cast<std::uint32_t>(end - start_)};
    if (span.Length < 2) return;
    if (IsCancelled(job_)) outcome_ = TLoadOutcome::kCancelled;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(arena_.data()) + span.At;
    keys_.push_back(TKey{KeyAt(bytes, span.Length, 0), KeyAt(bytes, span.Length, 8), span});
  }

  std::string_view View(const TSpan& span) const {
    return std::string_view(arena_.data() + span.At, span.Length);
  }

  // For words whose two keys are equal: the rest of the word order (mapped bytes, then length;
  // the words hold letters only), then the raw bytes, so that identical words become
  // neighbours.
  bool Before(const TSpan& a, const TSpan& b) const {
    const auto* x = reinterpret_cast<const std::uint8_t*>(arena_.data()) + a.At;
    const auto* y = reinterpret_cast<const std::uint8_t*>(arena_.data()) + b.At;
    const std::uint64_t common = std::min(a.Length, b.Length);
    for (std::uint64_t k = 16; k < common; ++k)
      if (map_[x[k]] != map_[y[k]]) return map_[x[k]] < map_[y[k]];
    if (a.Length != b.Length) return a.Length < b.Length;
    return View(a) < View(b);
  }

  const TLoadJob& job_;
  TByteMap map_{};
  std::string arena_;
  std::vector<TKey> keys_;
  bool in_run_ = false;
  std::uint64_t start_ = 0;  // where the open word starts in the arena
  TLoadOutcome outcome_ = TLoadOutcome::kLoaded;
};

// Scans UTF-8, converting each letter to its code page byte. Returns the bytes consumed: all
// but a character cut off by the end of a chunk that is not the last, which the next chunk
// must start with.
std::size_t ScanUtf8(const std::uint8_t* data, std::size_t n, bool last, TWordCollector& words) {
  const auto& cyrillic = CyrillicLetters();
  std::size_t i = 0;
  while (i < n && !words.stopped()) {
    const std::uint8_t b = data[i];
    if (b < 0x80) {
      words.Letter(kIsLetter[b] ? b : 0);
      ++i;
      continue;
    }
    char32_t cp = 0;
    const int length = DecodeUtf8(data + i, n - i, &cp);
    if (length == 0 && !last) return i;
    if (length <= 0) {  // a malformed byte separates words
      words.Letter(0);
      ++i;
      continue;
    }
    words.Letter(cp >= kCyrillicFirst && cp < kCyrillicEnd ? cyrillic[cp - kCyrillicFirst] : 0);
    i += length;
  }
  return n;
}

TLoadOutcome Load(TReadFile& file, const TLoadJob& job) {
  if (file.Size() >= kMaxArena)
    return FailLoad(job, TLoadProblem::kFileTooLarge,
                    "The file is too large. Error on reading the dictionary");
  std::vector<std::uint8_t> buffer(kReadChunk);
  std::size_t n = file.ReadAt(0, buffer.data(), buffer.size());
  const bool utf8 = LooksLikeUtf8(buffer.data(), n);
  TWordCollector words(job, file.Size(), !utf8);
  TProgressMeter meter(job, job.Head.FileSize, "FPercentDone>100\n\rProc: LoadAsText");
  std::size_t skip =
      n >= sizeof kBom && std::equal(kBom, kBom + sizeof kBom, buffer.data()) ? sizeof kBom : 0;
  std::uint64_t pos = 0;
  for (;;) {
    const bool last = n < buffer.size();
    std::size_t consumed = n;
    if (utf8)
      consumed = skip + ScanUtf8(buffer.data() + skip, n - skip, last, words);
    else
      words.ScanCp1251(buffer.data(), n);
    skip = 0;
    if (words.stopped()) return words.outcome();
    meter.Advance(consumed);
    pos += consumed;
    if (last) break;
    n = file.ReadAt(pos, buffer.data(), buffer.size());
  }
  return words.Finish();
}

}  // namespace

bool LooksLikeUtf8(const std::uint8_t* data, std::size_t size) {
  if (size >= sizeof kBom && std::equal(kBom, kBom + sizeof kBom, data)) return true;
  bool multibyte = false;
  std::size_t i = 0;
  while (i < size) {
    if (data[i] < 0x80) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    const int length = DecodeUtf8(data + i, size - i, &cp);
    if (length < 0) return false;
    if (length == 0) break;  // cut off by the end of the data
    multibyte = true;
    i += length;
  }
  return multibyte;
}

TLoadOutcome LoadAsText(TReadFile& file, const TLoadJob& job) {
  return CatchLoadErrors(job, [&] { return Load(file, job); });
}

}  // namespace gryvel
