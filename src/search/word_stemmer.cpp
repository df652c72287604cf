#include "search/word_stemmer.h"

#include <libstemmer.h>

#include <array>
#include <cstdint>
#include <new>

namespace gryvel {

namespace {

enum class TScript { kLatin, kCyrillic, kOther };

// Code page 1251 bytes of ё, Ё, е, Е.
constexpr std::uint8_t kYo = 0xB8;
constexpr std::uint8_t kCapitalYo = 0xA8;
constexpr std::uint8_t kYe = 0xE5;
constexpr std::uint8_t kCapitalYe = 0xC5;

TScript ScriptOf(std::string_view word) {
  bool latin = false;
  bool cyrillic = false;
  for (const char c : word) {
    const auto b = static_cast<std::uint8_t>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'))
      latin = true;
    else if (b >= 0xC0 || b == kCapitalYo || b == kYo)
      cyrillic = true;
    else
      return TScript::kOther;
  }
  if (latin == cyrillic) return TScript::kOther;
  return latin ? TScript::kLatin : TScript::kCyrillic;
}

// The KOI8-R byte of each Russian letter of code page 1251 (А..я at 0xC0..0xFF, Ё, ё), 0
// for other bytes: the Russian stemmer reads KOI8-R, and so 1251 text needs no UTF-8 round
// trip.
constexpr std::array<std::uint8_t, 64> kKoi8FromCp1251 = {
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED,
    0xEE, 0xEF, 0xF0, 0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD,
    0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1, 0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6,
    0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD2, 0xD3, 0xD4, 0xD5,
    0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1,
};

constexpr std::array<std::uint8_t, 256> MakeCp1251FromKoi8() {
  std::array<std::uint8_t, 256> map{};
  for (int i = 0; i < 64; ++i) map[kKoi8FromCp1251[i]] = static_cast<std::uint8_t>(0xC0 + i);
  map[0xB3] = 0xA8;  // Ё
  map[0xA3] = 0xB8;  // ё
  return map;
}
constexpr std::array<std::uint8_t, 256> kCp1251FromKoi8 = MakeCp1251FromKoi8();

std::uint8_t Koi8Of(std::uint8_t b) {
  if (b >= 0xC0) return kKoi8FromCp1251[b - 0xC0];
  return b == kCapitalYo ? 0xB3 : 0xA3;  // ScriptOf admits no other byte here
}

sb_stemmer* NewStemmer(const char* language, const char* encoding) {
  sb_stemmer* stemmer = sb_stemmer_new(language, encoding);
  if (stemmer == nullptr) throw std::bad_alloc();
  return stemmer;
}

}  // namespace

TWordStemmer::TWordStemmer()
    : FRussian(NewStemmer("russian", "KOI8_R")), FEnglish(NewStemmer("english", "ISO_8859_1")) {}

TWordStemmer::~TWordStemmer() {
  sb_stemmer_delete(FRussian);
  sb_stemmer_delete(FEnglish);
}

void TWordStemmer::Stem(std::string_view word, std::string* stem) {
  const TScript script = ScriptOf(word);
  if (script == TScript::kOther) {
    stem->assign(word);
    return;
  }
  sb_stemmer* stemmer = script == TScript::kLatin ? FEnglish : FRussian;
  if (script == TScript::kCyrillic) {
    FBuffer.resize(word.size());
    for (std::size_t i = 0; i < word.size(); ++i)
      FBuffer[i] = static_cast<char>(Koi8Of(static_cast<std::uint8_t>(word[i])));
  }
  const std::string_view source = script == TScript::kLatin ? word : std::string_view(FBuffer);
  const sb_symbol* out = sb_stemmer_stem(stemmer, reinterpret_cast<const sb_symbol*>(source.data()),
                                         static_cast<int>(source.size()));
  if (out == nullptr) throw std::bad_alloc();
  const auto length = static_cast<std::size_t>(sb_stemmer_length(stemmer));
  stem->assign(reinterpret_cast<const char*>(out), length);
  if (script != TScript::kCyrillic) return;
  for (std::size_t i = 0; i < stem->size(); ++i) {
    char& c = (*stem)[i];
    c = static_cast<char>(kCp1251FromKoi8[static_cast<std::uint8_t>(c)]);
    // Snowball writes ё as е; the stem is the word's start, so its own letter goes back.
    const auto w = i < word.size() ? static_cast<std::uint8_t>(word[i]) : 0;
    const auto b = static_cast<std::uint8_t>(c);
    if ((w == kYo || w == kCapitalYo) && (b == kYe || b == kCapitalYe))
      c = word[i];
  }
}

}  // namespace gryvel
