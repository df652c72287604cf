// Reads arbitrary bytes as a meaning bridge file: nothing may crash, hang or read out of
// bounds, and a bridge that is taken answers with weights in (0, 1].

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "results/meaning_bridge.h"

namespace {

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static gryvel::TMeaningBridge bridge;
  if (!bridge.Parse(std::string(reinterpret_cast<const char*>(data), size)).ok()) {
    Check(!bridge.Loaded(), "a refused file left loaded");
    return 0;
  }
  std::vector<gryvel::TBridgeWord> found;
  // Words of the seed, a word past every stem, an empty one; "озеро" in code page 1251.
  for (const char* word : {"lake", "pike", "\xEE\xE7\xE5\xF0\xEE", "zzzzzzzz", ""}) {
    for (const bool russian : {true, false}) {
      russian ? bridge.EnglishFor(word, &found) : bridge.RussianFor(word, &found);
      for (const gryvel::TBridgeWord& w : found)
        Check(w.Weight > 0 && w.Weight <= 1, "weight out of range");
    }
  }
  return 0;
}
