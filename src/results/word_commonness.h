#pragma once

#include <string_view>
#include <vector>

#include "results/word_table.h"

// How common words are: counts of word forms in film and television subtitles, English and
// Russian, so that a search can put everyday words before rare ones. Words are code page
// 1251; case and ё/е do not matter.

namespace gryvel {

// Thread safety: none while lists are added; const use from any thread after that.
class TWordCommonness {
 public:
  // Adds the words of `lines`, "word count" a line (UTF-8, a space between). A form already
  // held keeps its first count; lines that are not such a pair are skipped.
  void AddList(std::string_view lines);

  // 0 for a word not held, else log(count + 1) / log(the highest count of its list + 1), in
  // (0, 1]; a word met once scores a little above 0.
  double Of(std::string_view word) const;
  std::size_t Count() const { return FCounts.size(); }

  // The English and Russian lists built into the program, read once. Any thread.
  static const TWordCommonness& Bundled();
  // The same lists read anew.
  static TWordCommonness ReadBundledLists();

 private:
  TWordTable FWords;            // lower case, ё as е
  std::vector<double> FCounts;  // per word id, its Of
};

}  // namespace gryvel
