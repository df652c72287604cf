#include "dictionary/kiv_dictionary.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/file_io.h"
#include "search/letter_maps.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"

namespace gryvel {
namespace {

using testing::V2Header;
using testing::V2Record;

// Records what the dictionary tells its collections.
struct RecordingObserver : TDictionaryObserver {
  void ConnectDictionary(TKivDictionary&) override { calls.push_back("connect"); }
  void EntryAdded(TKivDictionary&, std::int32_t index) override {
    calls.push_back("added " + std::to_string(index));
  }
  void EntryMoving(TKivDictionary&, std::int32_t index, std::string_view word) override {
    calls.push_back("moving " + std::to_string(index) + " " + std::string(word));
  }
  void EntryRemoving(TKivDictionary&, std::int32_t index) override {
    calls.push_back("removing " + std::to_string(index));
  }
  void EntriesChanged(TKivDictionary&) override { calls.push_back("changed"); }
  void DictionaryLoaded(TKivDictionary&) override { calls.push_back("loaded"); }

  std::vector<std::string> calls;
};

class KivDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLetterMaps();
    dictionary_.SetLoaded();
    dictionary_.SetConnected(true);
  }
  void TearDown() override { ResetLetterMaps(); }

  void AddAll(std::initializer_list<const char*> words) {
    for (const char* w : words) ASSERT_GE(dictionary_.AddWord(w), 0) << w;
  }

  std::vector<std::string> Words() const {
    std::vector<std::string> words;
    for (std::int32_t i = 0; i < dictionary_.Count(); ++i)
      words.push_back(dictionary_.Entries().Get(i)->Word);
    return words;
  }

  // Every word with its description, for checking that descriptions stay on their words.
  std::map<std::string, std::string> Described() const {
    std::map<std::string, std::string> described;
    for (std::int32_t i = 0; i < dictionary_.Count(); ++i) {
      const std::string text = dictionary_.GetDescription(i);
      if (!text.empty()) described[dictionary_.Entries().Get(i)->Word] = text;
    }
    return described;
  }

  TMemoryFileSystem files_;
  TKivDictionary dictionary_{&files_};
};

TEST_F(KivDictionaryTest, StartsEmptyWithTheDefaultHeader) {
  TKivDictionary fresh(&files_);
  EXPECT_FALSE(fresh.Loaded());
  EXPECT_FALSE(fresh.Loading());
  EXPECT_FALSE(fresh.Modified());
  EXPECT_FALSE(fresh.Connected());
  EXPECT_EQ(2u, fresh.Head().Version);
  EXPECT_EQ("RUS", fresh.Head().Language);
  EXPECT_EQ(0u, fresh.Head().Count);
  EXPECT_EQ(kCharSetDefault, fresh.CharSet());
  EXPECT_EQ(TDictKind::kUnknown, fresh.Kind());
  for (std::uint8_t b : fresh.Head().ReservedBytes) EXPECT_LE(b, 254);
}

TEST_F(KivDictionaryTest, AddWordKeepsWordOrderAndRefusesEmptyAndPresentWords) {
  AddAll({"delta", "alpha", "charlie"});
  EXPECT_EQ((std::vector<std::string>{"alpha", "charlie", "delta"}), Words());
  dictionary_.SetModified(false);

  EXPECT_EQ(-2, dictionary_.AddWord(""));
  EXPECT_EQ(-3, dictionary_.AddWord("alpha"));
  EXPECT_FALSE(dictionary_.Modified());
  EXPECT_EQ(1, dictionary_.AddWord("bravo"));
  EXPECT_TRUE(dictionary_.Modified());
}

TEST_F(KivDictionaryTest, EditingKeepsEveryDescriptionOnItsWord) {
  AddAll({"bravo", "delta", "foxtrot", "hotel"});
  dictionary_.SetDescription(1, "d");
  dictionary_.SetDescription(2, "f");
  dictionary_.SetDescription(3, "h");
  const std::map<std::string, std::string> start = {
      {"delta", "d"}, {"foxtrot", "f"}, {"hotel", "h"}};
  ASSERT_EQ(start, Described());

  EXPECT_EQ(0, dictionary_.AddWord("alpha"));  // before every described entry
  EXPECT_EQ(start, Described());

  EXPECT_EQ(4, dictionary_.ChangeWord(2, "kilo"));  // delta moves to the end
  EXPECT_EQ((std::vector<std::string>{"alpha", "bravo", "foxtrot", "hotel", "kilo"}), Words());
  EXPECT_EQ((std::map<std::string, std::string>{{"kilo", "d"}, {"foxtrot", "f"}, {"hotel", "h"}}),
            Described());

  EXPECT_EQ(0, dictionary_.ChangeWord(3, "aardvark"));  // hotel moves to the front
  EXPECT_EQ(
      (std::map<std::string, std::string>{{"kilo", "d"}, {"foxtrot", "f"}, {"aardvark", "h"}}),
      Described());

  dictionary_.DeleteWord(3);  // foxtrot
  EXPECT_EQ((std::vector<std::string>{"aardvark", "alpha", "bravo", "kilo"}), Words());
  EXPECT_EQ((std::map<std::string, std::string>{{"kilo", "d"}, {"aardvark", "h"}}), Described());
  EXPECT_EQ(2, dictionary_.Descriptions().Count());
}

TEST_F(KivDictionaryTest, ChangeWordRefusesWhatItCannotDo) {
  AddAll({"alpha", "bravo"});
  dictionary_.SetModified(false);
  EXPECT_EQ(-1, dictionary_.ChangeWord(-1, "x"));
  EXPECT_EQ(-1, dictionary_.ChangeWord(2, "x"));
  EXPECT_EQ(-1, dictionary_.ChangeWord(0, ""));
  EXPECT_EQ(-1, dictionary_.ChangeWord(0, "alpha"));  // unchanged
  EXPECT_EQ(-1, dictionary_.ChangeWord(0, "bravo"));  // another entry's word
  EXPECT_FALSE(dictionary_.Modified());
  EXPECT_EQ((std::vector<std::string>{"alpha", "bravo"}), Words());
}

TEST_F(KivDictionaryTest, DeleteWordOutOfRangeRaisesAndChangesNothing) {
  AddAll({"alpha"});
  dictionary_.SetDescription(0, "a");
  dictionary_.SetModified(false);
  EXPECT_THROW(dictionary_.DeleteWord(1), EListError);
  EXPECT_EQ(1, dictionary_.Count());
  EXPECT_EQ("a", dictionary_.GetDescription(0));
  EXPECT_FALSE(dictionary_.Modified());
}

TEST_F(KivDictionaryTest, SetDescriptionMarksTheEntryAndTheDictionary) {
  AddAll({"alpha"});
  dictionary_.SetModified(false);
  dictionary_.SetDescription(0, "");  // the same (empty) description
  EXPECT_FALSE(dictionary_.Modified());

  dictionary_.SetDescription(0, "first");
  EXPECT_TRUE(dictionary_.Modified());
  EXPECT_EQ(kFlagShown | kFlagChanged | kFlagDescriptionInMemory | kFlagHasDescription,
            dictionary_.Entries().Get(0)->Flags);
  dictionary_.SetModified(false);
  dictionary_.SetDescription(0, "first");
  EXPECT_FALSE(dictionary_.Modified());
  dictionary_.SetDescription(0, "second");
  EXPECT_EQ("second", dictionary_.GetDescription(0));
  EXPECT_EQ(1, dictionary_.Descriptions().Count());
}

TEST_F(KivDictionaryTest, ADescriptionMarkedInMemoryButMissingIsReported) {
  AddAll({"alpha"});
  dictionary_.Entries().Get(0)->Flags |= kFlagDescriptionInMemory | kFlagHasDescription;
  dictionary_.SetModified(false);
  testing::CaptureMessages messages;
  dictionary_.SetDescription(0, "text");
  EXPECT_EQ(std::vector<std::string>{"Error. Can't change description"}, messages.Texts());
  EXPECT_EQ("", dictionary_.GetDescription(0));
  EXPECT_FALSE(dictionary_.Modified());
}

TEST_F(KivDictionaryTest, CollectionsHearOfEveryChange) {
  RecordingObserver observer;
  dictionary_.AddObserver(&observer);
  dictionary_.SetConnected(false);
  AddAll({"bravo"});
  dictionary_.SetConnected(true);
  AddAll({"alpha"});
  dictionary_.ChangeWord(0, "charlie");
  dictionary_.DeleteWord(0);
  EXPECT_EQ((std::vector<std::string>{"connect", "added 0", "added 0", "moving 0 charlie",
                                      "changed", "removing 0", "changed"}),
            observer.calls);
  dictionary_.RemoveObserver(&observer);
}

TEST_F(KivDictionaryTest, EventsFireOnChanges) {
  std::vector<std::string> events;
  dictionary_.OnChange = [&](TKivDictionary&) { events.push_back("change"); };
  dictionary_.OnCountChange = [&](TKivDictionary&) { events.push_back("count"); };
  dictionary_.OnFileNameChange = [&](TKivDictionary&) { events.push_back("name"); };

  dictionary_.SetFileName("a.kiv");
  dictionary_.SetFileName("A.KIV");  // a case change is kept quietly
  EXPECT_EQ("A.KIV", dictionary_.FileName());
  dictionary_.AddWord("word");
  dictionary_.ChangeWord(0, "other");
  dictionary_.DeleteWord(0);
  EXPECT_EQ(
      (std::vector<std::string>{"name", "change", "change", "count", "change", "change", "count"}),
      events);
}

TEST_F(KivDictionaryTest, ClearAllEmptiesEntriesAndDescriptions) {
  AddAll({"alpha", "bravo"});
  dictionary_.SetDescription(0, "a");
  dictionary_.ClearAll();
  EXPECT_EQ(0, dictionary_.Count());
  EXPECT_EQ(0u, dictionary_.Head().Count);
  EXPECT_EQ(0, dictionary_.Descriptions().Count());
}

TEST_F(KivDictionaryTest, LoadingTellsCollectionsAndClearsModified) {
  const std::string file = V2Header(1) + V2Record("word");
  files_.SetFile("d.kiv", {file.begin(), file.end()});
  TKivDictionary loaded(&files_);
  RecordingObserver observer;
  loaded.AddObserver(&observer);
  loaded.SetFileName("d.kiv");
  loaded.SetModified(true);
  loaded.EnsureLoaded();
  EXPECT_TRUE(loaded.Loaded());
  EXPECT_FALSE(loaded.Modified());
  EXPECT_EQ(std::vector<std::string>{"loaded"}, observer.calls);
  loaded.RemoveObserver(&observer);
}

// Counts the files opened for reading in the memory file system it passes them to.
class CountingFileSystem : public TMemoryFileSystem {
 public:
  std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                            int* error) override {
    ++opens;
    return TMemoryFileSystem::OpenForReading(path, access, error);
  }
  int opens = 0;
};

// Three described words; `tag` makes files of the same layout with other descriptions.
std::vector<std::uint8_t> DescribedFile(const std::string& tag) {
  const std::string bytes = V2Header(3) + V2Record("alpha", "a " + tag) +
                            V2Record("bravo", "b " + tag) + V2Record("charlie", "c " + tag);
  return {bytes.begin(), bytes.end()};
}

TEST(KivDictionaryDescriptionsTest, AreReadThroughTheFileTheLoadOpened) {
  CountingFileSystem files;
  files.SetFile("d.kiv", DescribedFile("one"));
  TKivDictionary dictionary(&files);
  dictionary.SetFileName("d.kiv");
  dictionary.Load();
  const int opens_by_load = files.opens;
  for (int round = 0; round < 3; ++round)
    for (const auto& [index, text] : {std::pair{0, "a one"}, {1, "b one"}, {2, "c one"}})
      EXPECT_EQ(text, dictionary.GetDescription(index));
  EXPECT_EQ(opens_by_load, files.opens);

  // Replaced under its name, the file the offsets came from is still the one read.
  files.SetFile("d.kiv", DescribedFile("two"));
  EXPECT_EQ("b one", dictionary.GetDescription(1));
  // A new name is a new file: opened once, when a description is asked for.
  files.SetFile("e.kiv", DescribedFile("new"));
  dictionary.SetFileName("e.kiv");
  EXPECT_EQ(opens_by_load, files.opens);
  EXPECT_EQ("b new", dictionary.GetDescription(1));
  EXPECT_EQ("c new", dictionary.GetDescription(2));
  EXPECT_EQ(opens_by_load + 1, files.opens);
  // A new load reads the file now under the name.
  files.SetFile("e.kiv", DescribedFile("xyz"));
  dictionary.Load();
  EXPECT_EQ("a xyz", dictionary.GetDescription(0));
}

TEST(KivDictionaryDescriptionsTest, AFileThatCannotBeOpenedIsReportedAndTriedAgain) {
  CountingFileSystem files;
  files.SetFile("d.kiv", DescribedFile("one"));
  TKivDictionary dictionary(&files);
  dictionary.SetFileName("d.kiv");
  dictionary.Load();
  dictionary.SetFileName("gone.kiv");
  std::string text = "left over";
  EXPECT_FALSE(dictionary.ReadDescription(0, &text).ok());
  EXPECT_EQ("", text);
  files.SetFile("gone.kiv", DescribedFile("back"));
  EXPECT_EQ("a back", dictionary.GetDescription(0));
}

}  // namespace
}  // namespace gryvel
