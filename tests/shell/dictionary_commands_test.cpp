#include "shell/dictionary_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "dictionary/collection_checks.h"
#include "support/temp_dir.h"

namespace gryvel {
namespace {

// A binary dictionary of the collection with `flags` in its header and `words`.
TKivDictionary& AddBinary(TDictionaryCollection& collection, std::uint8_t flags,
                          std::vector<std::string> words = {}) {
  TKivDictionary& dictionary = *collection.Dictionary(collection.NewDictionary());
  TDictHead head = dictionary.Head();
  head.Signature = std::string(kDictSignature);
  head.Flags = flags;
  dictionary.SetHeader(head);
  testing::Fill(dictionary, std::move(words));
  return dictionary;
}

TEST(DictionaryCommandsTest, WhichDictionariesTakeEntriesAndMayBecomeActive) {
  TDictionaryCollection collection;
  TKivDictionary& plain = AddBinary(collection, 0);
  TKivDictionary& read_only = AddBinary(collection, kHeadReadOnly);
  TKivDictionary& protected_ = AddBinary(collection, kHeadProtected);
  TKivDictionary& text = *collection.Dictionary(collection.NewDictionary());

  EXPECT_EQ((std::vector<TKivDictionary*>{&plain}), EntryDictionaries(collection));
  EXPECT_TRUE(CanMakeActive(collection, plain));
  EXPECT_FALSE(CanMakeActive(collection, read_only));
  // The second protection fixes the entries but the dictionary may still be made active.
  EXPECT_TRUE(CanMakeActive(collection, protected_));
  EXPECT_FALSE(CanMakeActive(collection, text));
  EXPECT_TRUE(HasProperties(read_only));
  EXPECT_FALSE(HasProperties(text));

  collection.SetActive(&plain);
  EXPECT_FALSE(CanMakeActive(collection, plain));
}

TEST(DictionaryCommandsTest, EntryCommandsNeedTheActiveConnectedDictionaryToHoldTheWord) {
  TDictionaryCollection collection;
  TKivDictionary& first = AddBinary(collection, 0, {"a", "b"});
  TKivDictionary& second = AddBinary(collection, 0, {"b", "c"});
  collection.Connect(first);
  collection.Connect(second);
  const std::int32_t a = collection.Find("a");
  const std::int32_t b = collection.Find("b");
  const std::int32_t c = collection.Find("c");

  EXPECT_EQ(nullptr, ActiveHolderOf(collection, a));  // no active dictionary
  collection.SetActive(&second);
  EXPECT_EQ(nullptr, ActiveHolderOf(collection, a));
  EXPECT_EQ(&second, ActiveHolderOf(collection, b));
  EXPECT_EQ(&second, ActiveHolderOf(collection, c));
  EXPECT_EQ(nullptr, ActiveHolderOf(collection, -1));
  EXPECT_EQ(nullptr, ActiveHolderOf(collection, collection.Count()));

  collection.Disconnect(second);
  EXPECT_EQ(nullptr, ActiveHolderOf(collection, collection.Find("b")));
}

TEST(DictionaryCommandsTest, AnOpenFileIsFoundUnderAnySpellingOfItsPath) {
  testing::TempDir dir;
  const std::string file = dir.Write("words.kiv", "x");
  std::filesystem::create_directory(dir.File("sub"));
  ASSERT_EQ(0, symlink(file.c_str(), dir.File("link.kiv").c_str()));

  TDictionaryCollection collection;
  collection.Dictionary(collection.NewDictionary());  // no file: never matches
  TKivDictionary& open = *collection.Dictionary(collection.NewDictionary());
  open.SetFileName(file);

  for (const std::string& spelling :
       {file, dir.File("sub/../words.kiv"), dir.File("./words.kiv"), dir.File("link.kiv")})
    EXPECT_EQ(&open, FindOpenDictionary(collection, spelling)) << spelling;
  EXPECT_EQ(nullptr, FindOpenDictionary(collection, dir.File("other.kiv")));
  EXPECT_EQ(nullptr, FindOpenDictionary(collection, ""));
}

// A dictionary saved over the file of another would share it with that one.
TEST(DictionaryCommandsTest, TheFileOfAnotherOpenDictionaryIsFoundAndItsOwnIsNot) {
  testing::TempDir dir;
  const std::string mine = dir.Write("mine.kiv", "x");
  const std::string theirs = dir.Write("theirs.kiv", "x");
  TDictionaryCollection collection;
  TKivDictionary& first = *collection.Dictionary(collection.NewDictionary());
  TKivDictionary& second = *collection.Dictionary(collection.NewDictionary());
  TKivDictionary& unsaved = *collection.Dictionary(collection.NewDictionary());
  first.SetFileName(mine);
  second.SetFileName(theirs);

  EXPECT_EQ(nullptr, OtherDictionaryUsing(collection, first, mine));
  EXPECT_EQ(&second, OtherDictionaryUsing(collection, first, dir.File("./theirs.kiv")));
  EXPECT_EQ(&first, OtherDictionaryUsing(collection, unsaved, mine));
  EXPECT_EQ(nullptr, OtherDictionaryUsing(collection, unsaved, dir.File("new.kiv")));
}

// By the mode bits, so that it holds for root, whom the system lets write anyway.
TEST(DictionaryCommandsTest, AFileWithoutWritePermissionIsWriteProtected) {
  testing::TempDir dir;
  namespace fs = std::filesystem;
  const struct {
    const char* name;
    fs::perms mode;
    bool write_protected;
  } cases[] = {
      {"r444.kiv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read, true},
      {"r000.kiv", fs::perms::none, true},
      {"w644.kiv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read, false},
      {"w020.kiv", fs::perms::group_write, false},
  };
  for (const auto& c : cases) {
    const std::string file = dir.Write(c.name, "kiv");
    fs::permissions(file, c.mode);
    EXPECT_EQ(c.write_protected, WriteProtected(file)) << c.name;
  }
  EXPECT_FALSE(WriteProtected(dir.File("missing.kiv")));
  EXPECT_FALSE(WriteProtected(dir.Path()));
}

TEST(DictionaryCommandsTest, FilterExtensionTakesThePatternOfTheChosenPair) {
  constexpr char kFilter[] = "Dictionary (*.kiv)|*.kiv|Text file (*.txt)|*.txt;*.lst|All|*.*";
  const struct {
    int Index;
    const char* Extension;
  } cases[] = {{0, "kiv"}, {1, "txt"}, {2, ""}, {3, ""}, {-1, ""}};
  for (const auto& c : cases) EXPECT_EQ(c.Extension, FilterExtension(kFilter, c.Index)) << c.Index;
  EXPECT_EQ("", FilterExtension("", 0));
  EXPECT_EQ("", FilterExtension("Name only", 0));
  EXPECT_EQ("", FilterExtension("Any|*", 0));
}

TEST(DictionaryCommandsTest, AFileNameWithoutExtensionGetsTheDefaultOne) {
  const struct {
    const char* Path;
    const char* Expected;
  } cases[] = {
      {"/d/results", "/d/results.txt"},     {"/d/results.txt", "/d/results.txt"},
      {"/d/results.lst", "/d/results.lst"}, {"/d/results.", "/d/results.txt"},
      {"/d.x/results", "/d.x/results.txt"}, {"/d/.hidden", "/d/.hidden.txt"},
      {"results", "results.txt"},           {"", ""},
      {"/d/", "/d/"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Expected, WithDefaultExtension(c.Path, "txt")) << c.Path;
  EXPECT_EQ("/d/results", WithDefaultExtension("/d/results", ""));
}

TEST(DictionaryCommandsTest, PlaceholdersShowEmptyAddressesAndStoreNothing) {
  TDictHead head;
  head.Title = "T";
  head.Flags = kHeadSixthText;
  const TDictionaryFields shown = FieldsOf(head);
  EXPECT_EQ("http://", shown.Web);
  EXPECT_EQ("@", shown.Email);
  EXPECT_EQ(head, WithFields(head, shown));  // untouched fields change nothing

  const TDictHead stored = WithFields(head, {"New", "C", "A", "http://x.example", "nobody"});
  EXPECT_EQ("New", stored.Title);
  EXPECT_EQ("http://x.example", stored.Web);
  EXPECT_EQ("nobody", stored.Email);  // stored, though "Message..." will not open it
  EXPECT_EQ(kHeadSixthText, stored.Flags);
  EXPECT_EQ("http://x.example", FieldsOf(stored).Web);
}

TEST(DictionaryCommandsTest, GoToAndMessageOpenOnlyRealAddresses) {
  EXPECT_EQ("", WebTarget("http://"));
  EXPECT_EQ("", WebTarget(""));
  EXPECT_EQ("https://a.example", WebTarget("https://a.example"));
  EXPECT_EQ("", MailTarget("@"));
  EXPECT_EQ("", MailTarget("nobody"));
  EXPECT_EQ("mailto:me@a.example", MailTarget("me@a.example"));
}

}  // namespace
}  // namespace gryvel
