// Reads arbitrary bytes as a dictd index over themselves and as each entry it names, the way
// the meaning bridge is made from a dictionary: nothing may crash, hang or read out of bounds,
// and every translation is a word with a weight.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "results/bridge_entry.h"
#include "results/dictd_index.h"

namespace {

void CheckTranslations(std::string_view entry) {
  static std::vector<gryvel::TBridgeTranslation> found;
  gryvel::ParseBridgeEntry(entry, &found);
  for (const gryvel::TBridgeTranslation& t : found) {
    if (t.Word.empty() || t.Weight == 0) {
      std::fprintf(stderr, "empty word or weight\n");
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckTranslations(bytes);
  (void)gryvel::ForEachDictdEntry(
      bytes, bytes, [](std::string_view, std::string_view entry) { CheckTranslations(entry); });
  return 0;
}
