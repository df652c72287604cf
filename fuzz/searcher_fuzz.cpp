// Arbitrary bytes as a pattern or anagram letters and as words: no crash, no out-of-bounds
// read, no hang. Input: one flags byte, the pattern up to the first newline (also the anagram
// letters), then one word per line.

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "search/character_manager.h"
#include "search/string_searcher.h"

namespace {

// The placement search grows combinatorially with the word length; dictionary words are
// short, and the fuzzer looks for memory errors, not for slow inputs.
constexpr std::size_t kMaxPattern = 48;
constexpr std::size_t kMaxWord = 20;
constexpr int kMaxWords = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  using namespace gryvel;
  const std::uint8_t flags = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

  TCharacterManager manager;
  manager.SetCaseSensitive(flags & 1);
  if (flags & 2) manager.AddEqualLetters(TEqualLetters{"\xB8", '\xE5', true});  // ё as е
  if (flags & 4) manager.AddEqualLetters(TEqualLetters{"?*1", 'a', (flags & 8) != 0});
  TStringSearcher searcher;
  searcher.SetCharacterManager(&manager);

  const std::size_t newline = rest.find('\n');
  std::string_view pattern = rest.substr(0, newline);
  if (pattern.size() > kMaxPattern) return 0;
  searcher.SetPattern(pattern);
  searcher.SetAnagramString(pattern);
  searcher.SetAnagramOptions(static_cast<TAnagramOptions>((flags >> 5) % 3));
  (void)searcher.MinLength();
  (void)searcher.MaxLength();
  (void)TStringSearcher::IsPattern(pattern);
  if (newline == std::string_view::npos) return 0;
  rest.remove_prefix(newline + 1);

  for (int n = 0; n < kMaxWords && !rest.empty(); ++n) {
    const std::size_t end = rest.find('\n');
    std::string_view word = rest.substr(0, std::min(end, kMaxWord));
    (void)searcher.Match(word);
    (void)searcher.IsAnagram(word);
    (void)searcher.IsPalindrome(word);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (flags & 16) {
    manager.SetCaseSensitive(!(flags & 1));
    searcher.SetPattern(pattern);  // recompiles for the other case option
    (void)searcher.Match(pattern);
  }
  return 0;
}
