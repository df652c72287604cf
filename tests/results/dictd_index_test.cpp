#include "results/dictd_index.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace gryvel {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

TStatus Read(std::string_view index, std::string_view text, Entries* entries) {
  return ForEachDictdEntry(index, text, [&](std::string_view head, std::string_view body) {
    entries->emplace_back(head, body);
  });
}

TEST(DictdIndex, EntriesAtBase64OffsetsAndLengths) {
  // 64 letters of filler, then the two entries: offset 64 is "BA" in base 64.
  const std::string text = std::string(64, '.') + "lake\nозеро\npike\nщука\n";
  Entries entries;
  ASSERT_TRUE(Read("lake\tBA\tQ\r\n\npike\tBQ\tO", text, &entries).ok());
  EXPECT_EQ((Entries{{"lake", "lake\nозеро\n"}, {"pike", "pike\nщука\n"}}), entries);
}

TEST(DictdIndex, BadLinesFailNamingTheLine) {
  const std::string text = "lake\nозеро\n";
  const struct {
    const char* index;
    const char* error;
  } cases[] = {
      {"lake\tA\tL\nbad", "Line 2 of the dictd index: not three fields"},
      {"lake\tA", "Line 1 of the dictd index: not three fields"},
      {"lake\tA-\tL", "Line 1 of the dictd index: a number that is not base 64"},
      {"lake\t\tL", "Line 1 of the dictd index: a number that is not base 64"},
      {"lake\tB\tQ", "Line 1 of the dictd index: an entry past the end of the text"},
      {"lake\tA\t//////////////", "Line 1 of the dictd index: a number too large"},
  };
  for (const auto& c : cases) {
    Entries entries;
    const TStatus status = Read(c.index, text, &entries);
    EXPECT_EQ(c.error, status.message()) << c.index;
  }
}

}  // namespace
}  // namespace gryvel
