#include "results/meaning_bridge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/file_io.h"
#include "results/bridge_entry.h"
#include "results/meaning_bridge_writer.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;
using testing::Utf;

// A few entries in the layout of the English–Russian dictionary the bundled bridge comes from.
constexpr std::pair<const char*, const char*> kEntries[] = {
    {"lake",
     "lake\n   _I  [leɪk] _n. озеро; The Great Lakes Великие озёра\n"
     "   _II [leɪk] _n. красочный лак\n"},
    {"pike", "pike\n   _I  [paɪk] _n. щука\n   _II [paɪk] _n. пика, копьё\n"},
    {"loch", "loch\n   [lɒk] _n. _шотл. озеро, морской залив\n"},
    {"fir-tree", "fir-tree\n   _n. ель, ёлка\n"},
    {"pond", "pond\n   _n. пруд, водоём\n"},
    {"watered", "watered\n   _a. муаровый\n"},
    {"water", "water\n   _n. вода\n"},
    {"Reduce", "reduce\n   _v. уменьшать, сокращать\n"},
    {"lake dwelling", "lake dwelling\n   _n. свайная постройка\n"},
};

std::string BridgeBytes() {
  TMeaningBridgeWriter writer;
  std::vector<TBridgeTranslation> translations;
  for (const auto& [headword, entry] : kEntries) {
    ParseBridgeEntry(entry, &translations);
    writer.Add(headword, translations);
  }
  TMemoryFileSystem files;
  TStatus status;
  auto file = files.CreateReplacing("bridge", &status);
  EXPECT_TRUE(writer.Write(Cp("Источник: тест"), *file).ok());
  EXPECT_TRUE(file->Commit().ok());
  const std::vector<std::uint8_t> bytes = files.File("bridge");
  return std::string(bytes.begin(), bytes.end());
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}
void SetU32At(std::string* bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}
// The offset of the section named `tag` ("RUST") in the 12-byte entries after the 16-byte
// header.
std::size_t SectionOffset(const std::string& bytes, const char* tag) {
  for (std::uint32_t i = 0; i < U32At(bytes, 12); ++i)
    if (bytes.compare(16 + 12 * i, 4, tag) == 0) return U32At(bytes, 16 + 12 * i + 4);
  ADD_FAILURE() << "no section " << tag;
  return 0;
}

class MeaningBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Bridge.Parse(BridgeBytes()).ok()); }

  // What the bridge gives for `word` (UTF-8), as UTF-8 words and weights.
  std::vector<std::pair<std::string, float>> English(std::string_view word) {
    Bridge.EnglishFor(Cp(word), &Found);
    return Readable();
  }
  std::vector<std::pair<std::string, float>> Russian(std::string_view word) {
    Bridge.RussianFor(Cp(word), &Found);
    return Readable();
  }
  std::vector<std::pair<std::string, float>> Readable() const {
    std::vector<std::pair<std::string, float>> words;
    for (const TBridgeWord& w : Found) words.emplace_back(Utf(w.Word), w.Weight);
    return words;
  }

  TMeaningBridge Bridge;
  std::vector<TBridgeWord> Found;
};

TEST_F(MeaningBridgeTest, EnglishToRussianHeaviestFirst) {
  // The first sense's word, then a later homonym's.
  const auto lake = Russian("lake");
  ASSERT_THAT(lake, ElementsAre(Pair("озеро", 1.0f), Pair("красочный", ::testing::_),
                                Pair("лак", ::testing::_)));
  EXPECT_LT(lake[1].second, 1.0f);
  EXPECT_EQ(lake[1].second, lake[2].second);  // one phrase
  EXPECT_THAT(Russian("pike"), ElementsAre(Pair("щука", 1.0f), Pair("пика", ::testing::Lt(1.0f)),
                                           Pair("копье", ::testing::Lt(1.0f))));
}

TEST_F(MeaningBridgeTest, AWordBeforeTheWordsDerivedFromItsStem) {
  const auto water = Russian("water");
  ASSERT_THAT(water, ElementsAre(Pair("вода", 1.0f), Pair("муаровый", ::testing::_)));
  EXPECT_NEAR(0.5, water[1].second, 0.01);
  EXPECT_THAT(English("муаровый"), ElementsAre(Pair("watered", 1.0f)));
}

TEST_F(MeaningBridgeTest, RussianToEnglishByPlaceInEachEntry) {
  // First in "lake", first in "loch"; in "fir-tree" "ёлка" comes second.
  EXPECT_THAT(English("озеро"), ElementsAre(Pair("lake", 1.0f), Pair("loch", 1.0f)));
  const auto fir = English("ёлка");
  ASSERT_THAT(fir, ElementsAre(Pair("fir-tree", ::testing::_)));
  EXPECT_LT(fir[0].second, 1.0f);
  EXPECT_THAT(English("залив"), ElementsAre(Pair("loch", ::testing::Lt(0.5f))));
}

TEST_F(MeaningBridgeTest, AnyFormAnyCaseYoAsYe) {
  for (const char* form : {"озера", "ОЗЕРАМИ", "Озёр"})
    EXPECT_THAT(English(form), ElementsAre(Pair("lake", 1.0f), Pair("loch", 1.0f))) << form;
  for (const char* form : {"елка", "ёлки", "ЁЛКОЙ"})
    EXPECT_THAT(English(form), ElementsAre(Pair("fir-tree", ::testing::_))) << form;
  // Forms whose stems differ from the stem of the word the bridge holds.
  for (const char* form : {"водоём", "водоемы", "водоёмов"})
    EXPECT_THAT(English(form), ElementsAre(Pair("pond", ::testing::_))) << form;
  for (const char* form : {"reduces", "REDUCED", "reducing"})
    EXPECT_THAT(Russian(form),
                ElementsAre(Pair("уменьшать", 1.0f), Pair("сокращать", ::testing::_)))
        << form;
  EXPECT_THAT(Russian("fir-tree"), ElementsAre(Pair("ель", 1.0f), Pair("елка", ::testing::_)));
}

TEST_F(MeaningBridgeTest, UnknownWordsAndPhrasesFindNothing) {
  for (const char* word : {"", "flibbertigibbet", "дом", "lake dwelling", "постройка", "великие"})
    EXPECT_THAT(English(word), IsEmpty()) << word;
  EXPECT_THAT(Russian("lake dwelling"), IsEmpty());
  EXPECT_THAT(Russian("dwelling"), IsEmpty());
}

TEST_F(MeaningBridgeTest, KeepsItsNote) {
  EXPECT_EQ(Cp("Источник: тест"), Bridge.Note());
}

TEST(MeaningBridgeFile, LoadsFromAFileAndFailsWithoutOne) {
  TMemoryFileSystem files;
  const std::string bytes = BridgeBytes();
  files.SetFile("bridge", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  TMeaningBridge bridge;
  ASSERT_TRUE(bridge.Load(files, "bridge").ok());
  EXPECT_TRUE(bridge.Loaded());
  const TStatus missing = bridge.Load(files, "none");
  EXPECT_FALSE(missing.ok());
  EXPECT_THAT(missing.message(), ::testing::HasSubstr("\"none\""));
  EXPECT_FALSE(bridge.Loaded());
}

TEST(MeaningBridgeFile, EveryCutShortFileIsRefused) {
  const std::string bytes = BridgeBytes();
  TMeaningBridge bridge;
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(bridge.Parse(bytes.substr(0, size)).ok()) << size;
    EXPECT_FALSE(bridge.Loaded());
  }
}

TEST(MeaningBridgeFile, DamageIsRefusedWithItsReason) {
  const std::string good = BridgeBytes();
  const auto damaged = [&](auto change) {
    std::string bytes = good;
    change(&bytes);
    TMeaningBridge bridge;
    const TStatus status = bridge.Parse(std::move(bytes));
    EXPECT_FALSE(bridge.Loaded());
    return status.message();
  };
  EXPECT_EQ("Not a meaning bridge file", damaged([](std::string* b) { (*b)[0] = 'X'; }));
  EXPECT_EQ("The meaning bridge file is damaged: the table of sections runs past the end",
            damaged([](std::string* b) { SetU32At(b, 12, 0x10000000); }));
  EXPECT_EQ("The meaning bridge file is damaged: a section runs past the end",
            damaged([](std::string* b) { SetU32At(b, 16 + 4, 0xFFFFFFF0); }));
  EXPECT_EQ("The meaning bridge file is damaged: a section is missing",
            damaged([](std::string* b) { (*b)[16 + 12] = 'X'; }));  // the Russian words
  EXPECT_EQ("The meaning bridge file is damaged: a word table is cut short",
            damaged([](std::string* b) { SetU32At(b, SectionOffset(*b, "ENWD"), 1000); }));
  EXPECT_EQ("The meaning bridge file is damaged: a word runs past its table",
            damaged([](std::string* b) { SetU32At(b, SectionOffset(*b, "ENWD") + 4, 1000); }));
  // The first posting of the first Russian stem names English word 0xFFFFFF.
  EXPECT_EQ(
      "The meaning bridge file is damaged: a translation names a word the file does "
      "not hold",
      damaged([](std::string* b) {
        const std::size_t stems = SectionOffset(*b, "RUST");
        const std::size_t posting = stems + 4 + 8 * U32At(*b, stems);
        SetU32At(b, posting, U32At(*b, posting) | 0xFFFFFF);
      }));
  EXPECT_EQ("The meaning bridge file is damaged: a translation weighs nothing",
            damaged([](std::string* b) {
              const std::size_t stems = SectionOffset(*b, "ENST");
              const std::size_t posting = stems + 4 + 8 * U32At(*b, stems);
              SetU32At(b, posting, U32At(*b, posting) & 0xFFFFFF);
            }));
  EXPECT_EQ("The meaning bridge file is damaged: a posting list runs past its table",
            damaged([](std::string* b) {
              const std::size_t stems = SectionOffset(*b, "ENST");
              SetU32At(b, stems + 4 + 4 * U32At(*b, stems), 2);      // the first list ends after 2
              SetU32At(b, stems + 4 + 4 * U32At(*b, stems) + 4, 1);  // the second before it
            }));
}

TEST(MeaningBridgeFile, LaterMajorVersionRefusedLaterMinorVersionRead) {
  std::string bytes = BridgeBytes();
  bytes[8] = 2;
  TMeaningBridge bridge;
  EXPECT_EQ(
      "The meaning bridge file has version 2.0, which this program cannot read (it reads "
      "version 1)",
      bridge.Parse(bytes).message());

  // Version 1.1 with a section this reader does not know, its entry first.
  std::string later = BridgeBytes();
  later[10] = 1;
  const std::uint32_t count = U32At(later, 12);
  for (std::uint32_t i = 0; i < count; ++i)
    SetU32At(&later, 16 + 12 * i + 4, U32At(later, 16 + 12 * i + 4) + 12);
  std::string entry = "NEW!________";
  SetU32At(&entry, 4, static_cast<std::uint32_t>(later.size() + 12));
  SetU32At(&entry, 8, 3);
  later.insert(16, entry);
  later += "new";
  SetU32At(&later, 12, count + 1);
  ASSERT_TRUE(bridge.Parse(later).ok());
  std::vector<TBridgeWord> found;
  bridge.RussianFor("lake", &found);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(Cp("озеро"), found[0].Word);
}

TEST(MeaningBridgeWriter, TakesSingleEnglishWordsOnly) {
  TMeaningBridgeWriter writer;
  const std::vector<TBridgeTranslation> some = {{"x", 255}};
  for (const char* word : {"lake", "Fir-tree", "o'clock", "LAKE"})
    EXPECT_TRUE(writer.Add(word, some)) << word;
  for (const char* word :
       {"", "lake dwelling", "-armed", "'cause", "_adv.", "00-database-short", "caf\xC3\xA9", "x-"})
    EXPECT_FALSE(writer.Add(word, some)) << word;
  EXPECT_EQ(3u, writer.EnglishCount());  // "LAKE" is "lake"
}

}  // namespace
}  // namespace gryvel
