#include "dictionary/dictionary_collection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "common/clipboard_sink.h"
#include "dictionary/collection_checks.h"
#include "search/letter_maps.h"
#include "search/string_searcher.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using testing::ExpectConsistent;
using testing::Fill;
using testing::MergedWords;

class CollectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLetterMaps();
    FillCollationMap();
  }
  void TearDown() override { ResetLetterMaps(); }

  // A new owned dictionary holding `words`, named `name`.
  TKivDictionary& Make(std::vector<std::string> words, std::string name = "") {
    TKivDictionary& dictionary = *collection_.Dictionary(collection_.NewDictionary());
    Fill(dictionary, std::move(words));
    dictionary.SetName(std::move(name));
    return dictionary;
  }

  bool Flagged(std::string_view word) {
    const std::int32_t index = collection_.Find(word);
    return index >= 0 && (collection_.Item(index)->Flags & kFlagInOtherDictionary) != 0;
  }

  TMemoryFileSystem files_;
  TDictionaryCollection collection_{&files_};
};

TEST_F(CollectionTest, MergingKeepsEachWordOnceAndMarksTheSharedOnes) {
  const std::string yo = Cp("ёж");
  const std::string ye = Cp("еж");
  TKivDictionary& first = Make({"cat", "dog", yo, "ant"});
  TKivDictionary& second = Make({"bee", "dog", ye, "zebra", "ant"});
  collection_.Connect(first);
  EXPECT_THAT(MergedWords(collection_),
              ElementsAre("ant", "cat", "dog", yo));  // Cyrillic sorts after Latin
  collection_.Connect(second);

  EXPECT_THAT(MergedWords(collection_), ElementsAre("ant", "bee", "cat", "dog", "zebra", yo));
  ExpectConsistent(collection_);
  EXPECT_TRUE(Flagged("ant") && Flagged("dog") && Flagged(ye));
  EXPECT_FALSE(Flagged("cat") || Flagged("bee") || Flagged("zebra"));
  EXPECT_EQ(&first, collection_.Owner(collection_.Find("dog")));
  EXPECT_EQ(&second, collection_.Owner(collection_.Find("bee")));
  EXPECT_THAT(collection_.Holders(collection_.Find(ye)), ElementsAre(&first, &second));
  EXPECT_EQ(2, collection_.ConnectedCount());
}

TEST_F(CollectionTest, DisconnectingKeepsEveryWordTheOthersHold) {
  TKivDictionary& first = Make({"ant", "cat", "dog"});
  TKivDictionary& second = Make({"ant", "bee", "dog"});
  TKivDictionary& third = Make({"dog", "eel"});
  for (TKivDictionary* d : {&first, &second, &third}) collection_.Connect(*d);

  collection_.Disconnect(second);
  EXPECT_THAT(MergedWords(collection_), ElementsAre("ant", "cat", "dog", "eel"));
  ExpectConsistent(collection_);

  // The shared words now come from the dictionaries that are left.
  collection_.Disconnect(first);
  EXPECT_THAT(MergedWords(collection_), ElementsAre("dog", "eel"));
  EXPECT_EQ(&third, collection_.Owner(0));
  ExpectConsistent(collection_);

  collection_.Connect(second);
  collection_.Disconnect(third);
  EXPECT_THAT(MergedWords(collection_), ElementsAre("ant", "bee", "dog"));
  ExpectConsistent(collection_);
}

TEST_F(CollectionTest, ConnectAndDisconnectFireOnlyWhenTheStateChanges) {
  TKivDictionary& first = Make({"ant"});
  TKivDictionary& second = Make({"bee"});
  std::vector<std::string> events;
  TSubscriptions hooks;
  hooks += collection_.OnConnect.Subscribe([&](TDictionaryCollection&, std::int32_t i) {
    events.push_back("connect " + std::to_string(i));
  });
  hooks += collection_.OnDisconnect.Subscribe([&](TDictionaryCollection&, std::int32_t i) {
    events.push_back("disconnect " + std::to_string(i));
  });
  hooks += collection_.OnListChange.Subscribe([&](TDictionaryCollection&) { events.push_back("list"); });

  collection_.Connect(second);
  collection_.Connect(second);       // connected already
  collection_.Connect(first, true);  // incremental on a dictionary not connected
  collection_.Disconnect(first);     // not connected
  collection_.Disconnect(second);
  EXPECT_THAT(events, ElementsAre("list", "connect 1", "list", "disconnect 1"));
}

TEST_F(CollectionTest, AnIncrementalConnectMergesOnlyTheNewEntries) {
  TKivDictionary& first = Make({"a", "c", "e", "g"});
  TKivDictionary& loading = Make({"b", "c"});
  collection_.Connect(first);
  collection_.Connect(loading);
  // More entries arrive, as from a loader, after the ones already merged.
  for (const char* word : {"d", "g", "h"}) loading.Entries().AddArticle(word);
  collection_.Connect(loading, true);

  EXPECT_THAT(MergedWords(collection_), ElementsAre("a", "b", "c", "d", "e", "g", "h"));
  ExpectConsistent(collection_);
  EXPECT_TRUE(Flagged("g"));
}

TEST_F(CollectionTest, EditingTheActiveDictionaryKeepsTheMergedListWhole) {
  TKivDictionary& active = Make({"ant", "cat", "dog"});
  TKivDictionary& other = Make({"cat", "emu"});
  collection_.Connect(active);
  collection_.Connect(other);
  collection_.SetActive(&active);

  // A new word, and a word another dictionary holds already.
  EXPECT_EQ(1, collection_.AddWord("bee"));
  EXPECT_GE(collection_.AddWord("emu"), 0);
  EXPECT_TRUE(Flagged("emu"));
  EXPECT_EQ(-3, collection_.AddWord("bee"));
  EXPECT_EQ(-2, collection_.AddWord(""));
  ExpectConsistent(collection_);

  // Deleting a shared word whose merged entry is this dictionary's hands the word over;
  // deleting one whose merged entry is the other's leaves the list alone.
  collection_.DeleteEntry(collection_.Find("cat"));
  EXPECT_EQ(&other, collection_.Owner(collection_.Find("cat")));
  collection_.DeleteEntry(collection_.Find("emu"));
  EXPECT_NE(-1, collection_.Find("emu"));
  ExpectConsistent(collection_);

  // Renaming moves the entry; renaming onto a word the other holds merges them.
  const std::int32_t dog = active.Entries().IndexOf("dog");
  EXPECT_GE(active.ChangeWord(dog, "aardvark"), 0);
  EXPECT_EQ(0, collection_.Find("aardvark"));
  EXPECT_EQ(-1, collection_.Find("dog"));
  EXPECT_GE(active.ChangeWord(active.Entries().IndexOf("ant"), "cat"), 0);
  EXPECT_TRUE(Flagged("cat"));
  ExpectConsistent(collection_);
}

TEST_F(CollectionTest, RenamingASharedWordKeepsItForTheOtherDictionary) {
  TKivDictionary& active = Make({"cat"});
  TKivDictionary& other = Make({"cat"});
  collection_.Connect(other);
  collection_.Connect(active);  // the merged "cat" is the other's
  collection_.SetActive(&active);
  active.ChangeWord(0, "cow");
  EXPECT_THAT(MergedWords(collection_), ElementsAre("cat", "cow"));
  ExpectConsistent(collection_);
}

TEST_F(CollectionTest, AddingAWordToADisconnectedDictionaryConnectsIt) {
  TKivDictionary& active = Make({"bee"});
  collection_.SetActive(&active);
  EXPECT_EQ(0, collection_.AddWord("ant"));
  EXPECT_TRUE(active.Connected());
  EXPECT_THAT(MergedWords(collection_), ElementsAre("ant", "bee"));
}

TEST_F(CollectionTest, WithoutAnActiveDictionaryNothingIsAdded) {
  Make({"bee"});
  EXPECT_EQ(-1, collection_.AddWord("ant"));
  EXPECT_EQ(-1, collection_.Find("ant"));
}

TEST_F(CollectionTest, AReadOnlyDictionaryIsRefusedAsActive) {
  TKivDictionary& writable = Make({});
  TKivDictionary& read_only = Make({});
  TDictHead head = read_only.Head();
  head.Flags = kHeadReadOnly;
  head.Title = Cp("Орфография");
  read_only.SetHeader(head);
  int events = 0;
  TSubscriptions hooks;
  hooks += collection_.OnActiveDictionary.Subscribe([&](TDictionaryCollection&) { ++events; });

  collection_.SetActive(&writable);
  testing::CaptureMessages messages;
  collection_.SetActive(&read_only);
  EXPECT_EQ(&writable, collection_.Active());
  EXPECT_EQ(1, events);
  EXPECT_THAT(messages.Texts(), ElementsAre(Cp("Словарь \"Орфография\" не может быть активным")));
}

TEST_F(CollectionTest, TheSameFileNameInAnyCaseIsAddedOnce) {
  const std::string file = testing::V2Header(1) + testing::V2Record("word");
  files_.SetFile("Words.kiv", {file.begin(), file.end()});
  EXPECT_EQ(0, collection_.AddDictionary("Words.kiv"));
  EXPECT_EQ(-1, collection_.AddDictionary("words.KIV"));
  EXPECT_EQ(1u, collection_.Dictionary(0)->Head().Count);
  EXPECT_FALSE(collection_.Dictionary(0)->Loaded());
  EXPECT_EQ(1, collection_.DictionaryCount());
}

TEST_F(CollectionTest, AFileThatCannotBeOpenedIsKeptOnlyWhenAsked) {
  struct Refusing : TMemoryFileSystem {
    std::unique_ptr<TReadFile> OpenForReading(const std::string&, TReadAccess,
                                              int* error) override {
      *error = EACCES;
      return nullptr;
    }
  } files;
  files.SetFile("locked.kiv", testing::Bytes().Raw(testing::V2Header(0)).vec());
  TDictionaryCollection collection(&files);
  EXPECT_THROW(collection.AddDictionary("locked.kiv"), EDictionaryError);
  EXPECT_EQ(0, collection.DictionaryCount());

  const std::int32_t index = collection.AddDictionary("locked.kiv", /*keep_unreadable=*/true);
  ASSERT_EQ(0, index);
  TKivDictionary& locked = *collection.Dictionary(index);
  EXPECT_EQ((TLoadFailure{TLoadProblem::kCannotOpen, SystemErrorText(EACCES), EACCES}),
            locked.LoadFailure());

  // Connecting and loading it fails at once, through the same event as a failed read.
  std::vector<std::int32_t> failed;
  TSubscription hook = collection.OnLoadFailed.Subscribe(
      [&](TDictionaryCollection&, std::int32_t i) { failed.push_back(i); });
  collection.Connect(locked);
  collection.QueueLoad(locked);
  EXPECT_THAT(failed, ElementsAre(0));
  EXPECT_FALSE(locked.Connected());
  EXPECT_FALSE(locked.Loading());
  EXPECT_EQ(TLoadProblem::kCannotOpen, locked.LoadFailure().Problem);
}

// Connected again after its file went away, a dictionary is not shown as connected and read.
TEST_F(CollectionTest, ConnectingADictionaryWhoseFileIsGoneFailsSayingSo) {
  TMemoryFileSystem files;
  files.SetFile("words.txt", {'c', 'a', 't'});
  TDictionaryCollection collection(&files);
  TKivDictionary& gone = *collection.Dictionary(collection.AddDictionary("words.txt"));
  files = TMemoryFileSystem();
  std::vector<std::int32_t> failed;
  TSubscription hook = collection.OnLoadFailed.Subscribe(
      [&](TDictionaryCollection&, std::int32_t i) { failed.push_back(i); });
  collection.Connect(gone);
  collection.QueueLoad(gone);
  EXPECT_THAT(failed, ElementsAre(0));
  EXPECT_FALSE(gone.Connected());
  EXPECT_FALSE(gone.Loaded());
  EXPECT_EQ((TLoadFailure{TLoadProblem::kCannotOpen, SystemErrorText(ENOENT), ENOENT}),
            gone.LoadFailure());
  EXPECT_EQ(-1, gone.AddWord("dog"));
}

TEST_F(CollectionTest, DescriptionsOfAWordInSeveralDictionariesAreCombined) {
  TKivDictionary& first = Make({"cat", "dog"}, "First");
  TKivDictionary& second = Make({"cat", "dog"}, "Second");
  TKivDictionary& third = Make({"cat"}, "Third");
  for (TKivDictionary* d : {&first, &second, &third}) collection_.Connect(*d);
  first.SetDescription(0, "a pet");
  third.SetDescription(0, "a feline");
  second.SetDescription(1, "barks");

  EXPECT_EQ(Cp("[ • First]\n\ra pet\n\r[ • Third]\n\ra feline"),
            collection_.Description(collection_.Find("cat")));
  EXPECT_EQ("barks", collection_.Description(collection_.Find("dog")));
  EXPECT_EQ("", collection_.Description(-1));

  collection_.SetActive(&second);
  collection_.SetEntryDescription(collection_.Find("dog"), "woofs");
  EXPECT_EQ("woofs", second.GetDescription(1));
}

TEST_F(CollectionTest, RemovingADictionaryTakesItOutEverywhere) {
  TKivDictionary& first = Make({"ant", "cat"});
  TKivDictionary& second = Make({"cat", "dog"});
  collection_.Connect(first);
  collection_.Connect(second);
  collection_.SetActive(&first);
  int active_events = 0;
  TSubscriptions hooks;
  hooks += collection_.OnActiveDictionary.Subscribe([&](TDictionaryCollection&) { ++active_events; });

  collection_.Remove(first);
  EXPECT_EQ(nullptr, collection_.Active());
  EXPECT_EQ(1, active_events);
  EXPECT_EQ(1, collection_.DictionaryCount());
  EXPECT_EQ(1, collection_.ConnectedCount());
  EXPECT_THAT(MergedWords(collection_), ElementsAre("cat", "dog"));
  ExpectConsistent(collection_);
}

TEST_F(CollectionTest, ADictionaryOwnedElsewhereLeavesWhenDestroyed) {
  {
    TKivDictionary outside;
    Fill(outside, {"ant", "bee"});
    EXPECT_EQ(0, collection_.Add(outside));
    EXPECT_EQ(-1, collection_.Add(outside));
    collection_.Connect(outside);
    collection_.SetActive(&outside);
    EXPECT_EQ(2, collection_.Count());
  }
  EXPECT_EQ(0, collection_.DictionaryCount());
  EXPECT_EQ(0, collection_.Count());
  EXPECT_EQ(nullptr, collection_.Active());
}

TEST_F(CollectionTest, ClearAllEmptiesEveryDictionaryAndTheList) {
  TKivDictionary& first = Make({"ant", "cat"});
  TKivDictionary& second = Make({"cat", "dog"});
  collection_.Connect(first);
  collection_.Connect(second);
  int changes = 0;
  TSubscriptions hooks;
  hooks += collection_.OnListChange.Subscribe([&](TDictionaryCollection&) { ++changes; });
  collection_.ClearAll();
  EXPECT_EQ(0, collection_.Count());
  EXPECT_EQ(0, first.Count());
  EXPECT_EQ(0, second.Count());
  EXPECT_EQ(1, changes);
  // Still connected: new words go straight into the list.
  collection_.SetActive(&second);
  EXPECT_EQ(0, collection_.AddWord("emu"));
}

TEST_F(CollectionTest, MatchesFollowsTheShownFlagOnlyWithASearcher) {
  TKivDictionary& dictionary = Make({"ant", "bee"});
  collection_.Connect(dictionary);
  collection_.Item(1)->Flags &= static_cast<std::uint16_t>(~kFlagShown);
  EXPECT_TRUE(collection_.Matches(1));
  TStringSearcher searcher;
  collection_.SetStringSearcher(&searcher);
  EXPECT_TRUE(collection_.Matches(0));
  EXPECT_FALSE(collection_.Matches(1));
  EXPECT_FALSE(collection_.Matches(2));
  EXPECT_THROW(collection_.Item(2), EListError);
}

TEST_F(CollectionTest, CopyingPutsTextAndTheEntryFormatOnTheClipboard) {
  TKivDictionary& dictionary = Make({"ant", "bee", "cat"});
  collection_.Connect(dictionary);
  std::vector<TClipboardData> copies;
  TClipboardSink previous = SetClipboardSink([&](const TClipboardData& d) { copies.push_back(d); });
  collection_.CopyToClipboard({2, 0});
  collection_.CopyToClipboard({1});
  SetClipboardSink(previous);

  ASSERT_EQ(2u, copies.size());
  EXPECT_EQ("cat\r\nant", copies[0].Text);
  EXPECT_EQ(std::string("catant\0", 7), copies[0].Article);
  EXPECT_EQ("bee", copies[1].Text);
  EXPECT_EQ(std::string("bee\0", 4), copies[1].Article);
}

}  // namespace
}  // namespace gryvel
