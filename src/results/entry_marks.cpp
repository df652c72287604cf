#include "results/entry_marks.h"

#include "dictionary/dictionary_collection.h"
#include "results/language.h"

namespace gryvel {

std::string EntryPartOfSpeechText(const TDictionaryCollection& collection, std::int32_t index) {
  if (index < 0 || index >= collection.Count()) return {};
  const auto held = collection.HeldEntries(index);
  std::uint8_t bits = 0;
  bool plural = false;
  for (const auto& [holder, item] : held) {
    bits |= static_cast<std::uint8_t>(item->Parts & 0xFF);
    plural = plural || (item->Flags & kFlagPlural) != 0;
  }
  std::string text;
  if (held.size() > 1) text = "[" + std::to_string(held.size()) + "] ";
  return text + PartOfSpeechText(bits, plural);
}

}  // namespace gryvel
