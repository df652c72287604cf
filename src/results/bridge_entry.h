#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads the Russian translations out of one entry of an English–Russian dictionary in the
// dictd text layout: the head word on the first line, then senses numbered "1.", "1)", "а)"
// or set apart as homonyms "_I", "_II", each a list of translations separated by commas and
// semicolons, with transcriptions in [], remarks in () and {}, labels such as "_n." or
// "_разг." and usage examples that mix English and Russian.

namespace gryvel {

// One Russian word an entry translates its head word by, and how much it counts.
struct TBridgeTranslation {
  std::string Word;         // code page 1251, lower case, ё written е
  std::uint8_t Weight = 0;  // 1..255: the first translation of the first sense weighs 255
};

// How much a translation counts: less for each sense before it (`sense`, from 0), less for
// each translation before it in its sense (`place`, from 0), half for a word of a phrase.
std::uint8_t TranslationWeight(int sense, int place, bool in_phrase);

// Replaces *out with the translations of `entry` (UTF-8 text; its first line, the head word,
// is skipped), in the order they stand. A translation of one word gives that word; a
// translation of several gives each of its words but function words, as words of a phrase.
// Usage examples (a stretch between semicolons that holds a Latin letter, and the rest of its
// numbered sense after it, lettered senses too), abbreviations
// (a word followed by a full stop) and words code page 1251 cannot hold give nothing.
void ParseBridgeEntry(std::string_view entry, std::vector<TBridgeTranslation>* out);

}  // namespace gryvel
