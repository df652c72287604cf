#include "solvers/result_list.h"

#include <algorithm>
#include <bit>

namespace gryvel {
namespace {

std::uint64_t Unpacked(const std::array<std::uint16_t, 3>& bits) {
  return bits[0] | (std::uint64_t{bits[1]} << 16) | (std::uint64_t{bits[2]} << 32);
}

}  // namespace

void TResultList::Clear() {
  FResults.Clear();
  FLinks.Clear();
  FLastWords.clear();
  FLastLinks.clear();
  FLimitReached.store(false, std::memory_order_relaxed);
}

void TResultList::Reset(const std::vector<std::string_view>& words, std::string_view separator) {
  Clear();
  FWordText.clear();
  FWordStart.clear();
  std::size_t size = 0;
  for (const std::string_view word : words) size += word.size();
  FWordText.reserve(size);
  FWordStart.reserve(words.size() + 1);
  for (const std::string_view word : words) {
    FWordStart.push_back(static_cast<std::uint32_t>(FWordText.size()));
    FWordText += word;
  }
  FWordStart.push_back(static_cast<std::uint32_t>(FWordText.size()));
  FSeparator = separator;
  FWordBits = std::max(1, static_cast<int>(std::bit_width(words.size())));
  FNoLink = static_cast<std::uint32_t>(
      std::min<std::uint64_t>((std::uint64_t{1} << (48 - FWordBits)) - 1, UINT32_MAX));
}

TResultList::TLink TResultList::Pack(std::uint32_t before, std::uint32_t word) const {
  const std::uint64_t bits = (std::uint64_t{before} << FWordBits) | word;
  return TLink{{static_cast<std::uint16_t>(bits), static_cast<std::uint16_t>(bits >> 16),
                static_cast<std::uint16_t>(bits >> 32)}};
}

std::uint32_t TResultList::Before(TLink link) const {
  return static_cast<std::uint32_t>(Unpacked(link.Bits) >> FWordBits);
}

std::uint32_t TResultList::Word(TLink link) const {
  return static_cast<std::uint32_t>(Unpacked(link.Bits) & ((std::uint64_t{1} << FWordBits) - 1));
}

void TResultList::SetLimit(std::int32_t limit) {
  FLimit.store(std::clamp(limit, std::int32_t{1}, kMaxLimit), std::memory_order_relaxed);
}

bool TResultList::LinkOf(std::span<const std::uint32_t> leading, std::uint32_t& link) {
  std::size_t shared = 0;
  const std::size_t last = std::min(leading.size(), FLastWords.size());
  while (shared < last && FLastWords[shared] == leading[shared]) ++shared;
  FLastWords.resize(shared);
  FLastLinks.resize(shared);
  for (std::size_t k = shared; k < leading.size(); ++k) {
    const std::size_t at = FLinks.Size();
    if (at >= FNoLink) return false;
    const std::uint32_t before = k == 0 ? FNoLink : FLastLinks.back();
    if (!FLinks.Append(Pack(before, leading[k]))) return false;
    FLastWords.push_back(leading[k]);
    FLastLinks.push_back(static_cast<std::uint32_t>(at));
  }
  link = leading.empty() ? FNoLink : FLastLinks.back();
  return true;
}

bool TResultList::Add(std::span<const std::uint32_t> path) {
  if (path.empty()) return false;
  if (Count() >= Limit()) {
    FLimitReached.store(true, std::memory_order_relaxed);
    return false;
  }
  std::uint32_t before = FNoLink;
  if (!LinkOf(path.first(path.size() - 1), before)) return false;
  return FResults.Append(Pack(before, path.back()));
}

std::string TResultList::Text(std::int32_t index) const {
  // The words from the last back to the first.
  std::vector<std::uint32_t> words;
  TLink link = FResults[static_cast<std::size_t>(index)];
  words.push_back(Word(link));
  while (Before(link) != FNoLink) {
    link = FLinks[Before(link)];
    words.push_back(Word(link));
  }
  std::string text;
  for (auto word = words.rbegin(); word != words.rend(); ++word) {
    if (word != words.rbegin()) text += FSeparator;
    text.append(FWordText, FWordStart[*word], FWordStart[*word + 1] - FWordStart[*word]);
  }
  return text;
}

}  // namespace gryvel
