#include "dictionary/kiv_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/kiv_dictionary.h"
#include "search/letter_maps.h"
#include "support/capture_messages.h"
#include "support/failing_file_system.h"
#include "support/kiv_bytes.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Bytes;
using testing::Cp;

// One entry as a reader sees it.
struct Entry {
  std::string word, description;
  std::int32_t offset;
  std::uint16_t flags, parts;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(const TKivDictionary& d) {
  std::vector<Entry> entries;
  for (std::int32_t i = 0; i < d.Count(); ++i) {
    const TArticleItem& item = *d.Entries().Get(i);
    entries.push_back({item.Word, d.GetDescription(i), item.Offset, item.Flags, item.Parts});
  }
  return entries;
}

void PrintTo(const Entry& e, std::ostream* os) {
  *os << testing::Utf(e.word) << "/" << testing::Utf(e.description) << "@" << e.offset << " flags "
      << e.flags << " parts " << e.parts;
}

class KivWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLetterMaps(); }
  void TearDown() override { ResetLetterMaps(); }

  // A dictionary made in memory: words with descriptions, parts and number flags.
  void Fill(TKivDictionary& d, int extra_words = 0) {
    d.SetLoaded();
    TDictHead head = d.Head();
    head.Title = Cp("Словарь");
    head.Comments = "two\r\nlines";
    head.Author = "me";
    head.Email = "me@example.org";
    head.Web = "http://example.org";
    head.Reserved = 77;
    d.SetHeader(head);
    d.AddWord(Cp("ёлка"));
    d.AddWord("alpha");
    d.AddWord("beta");
    d.SetDescription(0, "first");
    d.SetDescription(2, Cp("третья"));
    d.Entries().Get(0)->Parts = kPartNoun | 0x20;
    d.Entries().Get(1)->Parts = kPartVerb;
    d.Entries().Get(0)->Flags |= kFlagSingular;
    d.Entries().Get(1)->Flags |= kFlagPlural;
    for (int i = 0; i < extra_words; ++i) {
      const std::int32_t at = d.AddWord("word" + std::to_string(100000 + i));
      d.SetDescription(at, "description number " + std::to_string(i));
    }
  }

  testing::TempDir dir_;
};

TEST_F(KivWriterTest, AWrittenFileReadsBackTheSame) {
  TKivDictionary saved;
  Fill(saved);
  const std::string path = dir_.File("words.kiv");
  ASSERT_TRUE(saved.SaveToFile(path).ok());

  EXPECT_EQ(path, saved.FileName());
  EXPECT_FALSE(saved.Modified());
  EXPECT_EQ(0, saved.Descriptions().Count());
  EXPECT_EQ(TDictKind::kBinary, saved.Kind());
  for (const Entry& e : Entries(saved))
    EXPECT_EQ(0, e.flags & (kFlagChanged | kFlagDescriptionInMemory)) << testing::Utf(e.word);

  TKivDictionary loaded;
  loaded.SetFileName(path);
  testing::CaptureMessages messages;
  loaded.Load();
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ(Entries(saved), Entries(loaded));
  EXPECT_EQ("first", loaded.GetDescription(0));
  EXPECT_EQ(kPartNoun | 0x20, loaded.Entries().Get(0)->Parts);
  EXPECT_EQ(saved.Head(), loaded.Head());
  EXPECT_EQ(3u, loaded.Head().Count);
}

TEST_F(KivWriterTest, TheHeaderHoldsTheSixthTextOnlyWithItsFlag) {
  for (const bool sixth : {false, true}) {
    SCOPED_TRACE(sixth);
    TKivDictionary d;
    d.SetLoaded();
    TDictHead head = d.Head();
    head.Language = "ENG";
    head.Web = "w";
    head.Sixth = "six";
    head.Flags = sixth ? kHeadSixthText : 0;
    d.SetHeader(head);
    ASSERT_TRUE(d.SaveToFile(dir_.File("h.kiv")).ok());

    const std::string file = dir_.Read("h.kiv");
    Bytes expected;
    expected.Raw("kiv").U32(sixth ? 54 : 51).U32(2).U32(0).U32(0).U8(head.Flags);
    for (std::uint8_t b : head.ReservedBytes) expected.U8(b);
    expected.Raw("ENG").U32(0).U32(0).U32(0).U32(0).Text32("w");
    expected.Text32(sixth ? "six" : "").U32(4).U32(0);
    EXPECT_EQ(expected.str(), file);
  }
}

TEST_F(KivWriterTest, SavingOverTheOldFileKeepsTheDescriptionsStillInIt) {
  TKivDictionary first;
  Fill(first, 20'000);
  const std::string path = dir_.File("words.kiv");
  ASSERT_TRUE(first.SaveToFile(path).ok());

  TKivDictionary second;
  second.SetFileName(path);
  second.Load();
  EXPECT_EQ("first", second.GetDescription(0));  // the old file is open for reading now
  second.SetDescription(1, "changed");
  second.AddWord("aaa");  // moves every entry's index
  ASSERT_TRUE(second.Save().ok());
  // The saved dictionary reads its descriptions from the new file, not the replaced one.
  EXPECT_EQ("changed", second.GetDescription(2));
  for (int i = 0; i < 20'000; i += 997)
    EXPECT_EQ("description number " + std::to_string(i), second.GetDescription(3 + i));

  TKivDictionary third;
  third.SetFileName(path);
  third.Load();
  ASSERT_EQ(first.Count() + 1, third.Count());
  EXPECT_EQ("changed", third.GetDescription(2));
  EXPECT_EQ("first", third.GetDescription(1));
  EXPECT_EQ(Cp("третья"), third.GetDescription(third.Count() - 1));
  for (int i = 0; i < 20'000; i += 997)
    EXPECT_EQ("description number " + std::to_string(i), third.GetDescription(3 + i));
}

TEST_F(KivWriterTest, AFailedSaveLeavesTheOldFileAndTheDictionaryAsTheyWere) {
  struct Case {
    const char* name;
    std::size_t fail_after;
    bool fail_commit;
  } cases[] = {
      {"nothing written", 0, false},
      {"inside the header", 10, false},
      {"after the first flushes", 500'000, false},
      {"at the rename", testing::FailingFileSystem::kNever, true},
  };
  const std::string old_bytes = "the old file, whatever it holds";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.Write("words.kiv", old_bytes);
    testing::FailingFileSystem files;
    files.FailAfterBytes(c.fail_after);
    files.FailCommit(c.fail_commit);
    TKivDictionary d(&files);
    Fill(d, 30'000);
    d.SetFileName("elsewhere.kiv");
    const std::vector<Entry> before = Entries(d);

    testing::CaptureMessages messages;
    const TStatus status = d.SaveToFile(path);
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(messages.Texts().empty());  // the caller tells the user, in its own words
    EXPECT_EQ(old_bytes, dir_.Read("words.kiv"));
    EXPECT_EQ(std::vector<std::string>{"words.kiv"}, dir_.Names());
    EXPECT_EQ(before, Entries(d));
    EXPECT_TRUE(d.Modified());
    EXPECT_EQ("elsewhere.kiv", d.FileName());
  }
}

TEST_F(KivWriterTest, RefusesADictionaryItsReaderWouldRefuse) {
  const std::string long_word(1001, 'a');
  struct Case {
    const char* name;
    std::string text_file;  // the dictionary, read from this word list
    std::string description;
    std::string message_start;
  } cases[] = {
      {"a word of 1001 letters", "short " + long_word, "", "The word \"aaaa"},
      {"a record larger than a read chunk", "short", std::string(1'000'000, 'd'),
       "The description of \"short\" is too long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string old_path = dir_.Write("old.kiv", "old bytes");
    TKivDictionary d;
    d.SetFileName(dir_.Write("list.txt", c.text_file));
    d.Load();
    if (!c.description.empty()) d.SetDescription(0, c.description);

    testing::CaptureMessages messages;
    const TStatus status = d.SaveToFile(old_path);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(0u, status.message().find(c.message_start)) << status.message();
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ("old bytes", dir_.Read("old.kiv"));
    EXPECT_EQ((std::vector<std::string>{"list.txt", "old.kiv"}), dir_.Names());
  }
}

TEST_F(KivWriterTest, ADescriptionTheOldFileNoLongerHoldsStopsTheSave) {
  TKivDictionary first;
  Fill(first);
  const std::string path = dir_.File("words.kiv");
  ASSERT_TRUE(first.SaveToFile(path).ok());
  TKivDictionary second;
  second.SetFileName(path);
  second.Load();
  dir_.Write("words.kiv", dir_.Read("words.kiv").substr(0, 80));  // cut behind its back

  testing::CaptureMessages messages;
  const TStatus status = second.SaveToFile(dir_.File("copy.kiv"));
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(0u, status.message().find("Can't read the description of")) << status.message();
  EXPECT_EQ(std::vector<std::string>{"words.kiv"}, dir_.Names());
}

TEST_F(KivWriterTest, OnlyALoadedDictionaryIsSaved) {
  const std::string path = dir_.Write("words.kiv", "keep");
  TKivDictionary d;
  d.SetFileName(path);
  testing::CaptureMessages messages;
  EXPECT_FALSE(d.Save().ok());
  EXPECT_EQ("keep", dir_.Read("words.kiv"));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(KivWriterTest, AnEmptyDescriptionIsNotWritten) {
  TKivDictionary d;
  Fill(d);
  d.SetDescription(0, "");
  ASSERT_TRUE(d.SaveToFile(dir_.File("w.kiv")).ok());
  EXPECT_EQ(0, d.Entries().Get(0)->Flags & kFlagHasDescription);
  EXPECT_EQ("", d.GetDescription(0));
  EXPECT_EQ(Cp("третья"), d.GetDescription(2));
}

}  // namespace
}  // namespace gryvel
