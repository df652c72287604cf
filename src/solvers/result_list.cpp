#include "solvers/result_list.h"

#include <algorithm>

namespace gryvel {

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
    if (at >= kNoLink) return false;
    const std::uint32_t before = k == 0 ? kNoLink : FLastLinks.back();
    if (!FLinks.Append(TLink{before, leading[k]})) return false;
    FLastWords.push_back(leading[k]);
    FLastLinks.push_back(static_cast<std::uint32_t>(at));
  }
  link = leading.empty() ? kNoLink : FLastLinks.back();
  return true;
}

bool TResultList::Add(std::span<const std::uint32_t> path) {
  if (path.empty()) return false;
  if (Count() >= Limit()) {
    FLimitReached.store(true, std::memory_order_relaxed);
    return false;
  }
  std::uint32_t before = kNoLink;
  if (!LinkOf(path.first(path.size() - 1), before)) return false;
  return FResults.Append(TLink{before, path.back()});
}

std::string TResultList::Text(std::int32_t index) const {
  // The words from the last back to the first.
  std::vector<std::uint32_t> words;
  TLink link = FResults[static_cast<std::size_t>(index)];
  words.push_back(link.Word);
  while (link.Before != kNoLink) {
    link = FLinks[link.Before];
    words.push_back(link.Word);
  }
  std::string text;
  for (auto word = words.rbegin(); word != words.rend(); ++word) {
    if (word != words.rbegin()) text += FSeparator;
    text.append(FWordText, FWordStart[*word], FWordStart[*word + 1] - FWordStart[*word]);
  }
  return text;
}

}  // namespace gryvel
