#include "shell/dictionary_list_settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/synchronize.h"
#include "dictionary/collection_checks.h"
#include "results/language.h"
#include "search/letter_maps.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using testing::MergedWords;

// The real file system, except that the files in Locked cannot be opened.
class LockingFileSystem : public TFileSystem {
 public:
  std::set<std::string> Locked;

  bool FileExists(const std::string& path) override { return PosixFileSystem().FileExists(path); }
  std::unique_ptr<TReadFile> OpenForReading(const std::string& path, TReadAccess access,
                                            int* error) override {
    if (Locked.count(path) != 0) {
      *error = EACCES;
      return nullptr;
    }
    return PosixFileSystem().OpenForReading(path, access, error);
  }
  std::unique_ptr<TWriteFile> CreateReplacing(const std::string& path, TStatus* status) override {
    return PosixFileSystem().CreateReplacing(path, status);
  }
};

class DictionaryListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUiThread();
    ResetLetterMaps();
    FillCollationMap();
  }
  void TearDown() override { ResetLetterMaps(); }

  // A version-2 dictionary file `name` titled `title` holding `word`.
  std::string Kiv(const std::string& name, const std::string& title, const std::string& word) {
    return dir_.Write(name,
                      testing::V2Header(1, {title, "", "", "", ""}) + testing::V2Record(word));
  }

  void SetIni(const std::string& text) { dir_.Write("gryvel.ini", text); }

  // Reads the list into a fresh collection and waits for the loads.
  std::vector<TKivDictionary*> ReadList() {
    collection_ = std::make_unique<TDictionaryCollection>(&files_);
    std::vector<TKivDictionary*> opened = ReadDictionaryList(settings_, *collection_);
    for (TKivDictionary* dictionary : opened)
      if (!dictionary->LoadFailure()) dictionary->EnsureLoaded();
    return opened;
  }

  testing::TempDir dir_;
  testing::CaptureMessages messages_;
  LockingFileSystem files_;
  TSettingsFile settings_{files_, dir_.File("gryvel.ini"), dir_.Path()};
  std::unique_ptr<TDictionaryCollection> collection_;
};

TEST_F(DictionaryListTest, ListedDictionariesOpenUnderTheirNamesAndTheConnectedOnesLoad) {
  const std::string first = Kiv("first.kiv", Cp("Первый"), "ant");
  const std::string second = Kiv("second.kiv", "", "bee");
  const std::string third = Kiv("third.kiv", "Third", "cat");
  const std::string upper = dir_.Write("THIRD.kiv", "dog");
  SetIni(
      "[Dictionaries]\nCount=7\nEditingDictionary=6\n"
      "FileName_1=" +
      first +
      "\nIsConnected_1=1\n"
      "FileName_2=" +
      dir_.File("deleted.kiv") +
      "\nIsConnected_2=1\n"
      "FileName_3=" +
      second +
      "\nIsConnected_3=1\n"
      "FileName_4=" +
      first +
      "\nName_4=again\nIsConnected_4=1\n"
      "FileName_5=\n"
      "FileName_6=" +
      third + "\nName_6=" + Cp("Мой") +
      "\n"
      "FileName_7=" +
      upper +
      "\nIsConnected_7=1\n"
      "FileName_8=" +
      upper + "\n");

  const std::vector<TKivDictionary*> opened = ReadList();
  ASSERT_EQ(3u, opened.size());  // the deleted, the repeated and the unnamed file are skipped
  EXPECT_EQ(first, opened[0]->FileName());
  EXPECT_EQ(Cp("Первый"), opened[0]->Name());
  EXPECT_EQ(Cp("<Словарь>"), opened[1]->Name());
  EXPECT_EQ(Cp("Мой"), opened[2]->Name());
  EXPECT_FALSE(opened[2]->Connected());
  EXPECT_EQ(opened[2], collection_->Active());
  EXPECT_THAT(MergedWords(*collection_), ElementsAre("ant", "bee"));
  EXPECT_THAT(messages_.Texts(),
              ElementsAre("The dictionary list names the same file more than once; only its "
                          "first entry is kept:\n" + first));
}

TEST_F(DictionaryListTest, TheListRoundTripsAndADeletedFileDropsOutOnTheNextWrite) {
  const std::string a = Kiv("a.kiv", "A", "ant");
  const std::string b = Kiv("b.kiv", "", "bee");
  const std::string c = dir_.Write("словарь.txt", Cp("кот"));  // a native UTF-8 name
  SetIni("");
  ASSERT_TRUE(WriteDictionaryList(settings_, {{a, "Alpha", true, false},
                                              {b, Cp("<Словарь>"), false, false},
                                              {c, Cp("Текст"), true, true}})
                  .ok());
  EXPECT_EQ("[Dictionaries]\r\nName_1=Alpha\r\nFileName_1=" + a +
                "\r\nIsConnected_1=1\r\nName_2=\r\nFileName_2=" + b +
                "\r\nIsConnected_2=0\r\nName_3=" + Cp("Текст") + "\r\nFileName_3=" + Cp(c) +
                "\r\nIsConnected_3=1\r\nEditingDictionary=3\r\nCount=3\r\n",
            dir_.Read("gryvel.ini"));

  std::remove(b.c_str());
  const std::vector<TKivDictionary*> opened = ReadList();
  ASSERT_EQ(2u, opened.size());
  EXPECT_EQ(c, opened[1]->FileName());
  ASSERT_TRUE(WriteDictionaryList(settings_, DictionaryListOf(*collection_)).ok());

  const TIniStore store(dir_.Read("gryvel.ini"));
  EXPECT_EQ("2", store.Value("Dictionaries", "Count"));
  EXPECT_EQ(Cp(c), store.Value("Dictionaries", "FileName_2"));  // moved down by one
  EXPECT_EQ("2", store.Value("Dictionaries", "EditingDictionary"));
  for (const char* key : {"Name_3", "FileName_3", "IsConnected_3"})  // none left over
    EXPECT_EQ(std::nullopt, store.Value("Dictionaries", key)) << key;
  ReadList();
  EXPECT_THAT(MergedWords(*collection_), ElementsAre("ant", Cp("кот")));
}

TEST_F(DictionaryListTest, NoActiveDictionaryIsWrittenAsMinusOne) {
  SetIni("[Dictionaries]\nEditingDictionary=2\n");
  ASSERT_TRUE(WriteDictionaryList(settings_, {{"/x.kiv", "X", false, false}}).ok());
  EXPECT_EQ("-1", TIniStore(dir_.Read("gryvel.ini")).Value("Dictionaries", "EditingDictionary"));
}

TEST_F(DictionaryListTest, ADictionaryThatCannotBeOpenedIsKeptDisconnectedAndNamedOnce) {
  const std::string a = Kiv("a.kiv", "A", "ant");
  const std::string b = Kiv("b.kiv", "B", "bee");
  const std::string c = Kiv("c.kiv", "C", "cat");
  files_.Locked = {a, b};
  SetIni("[Dictionaries]\nCount=3\nFileName_1=" + a + "\nIsConnected_1=1\nName_1=A\nFileName_2=" +
         b + "\nFileName_3=" + c + "\nIsConnected_3=1\n");
  SetUILanguage(TUILanguage::Russian);
  const std::vector<TKivDictionary*> opened = ReadList();
  SetUILanguage(TUILanguage::NotSet);

  ASSERT_EQ(3u, opened.size());
  for (int i : {0, 1}) {
    EXPECT_FALSE(opened[i]->Connected()) << i;
    EXPECT_EQ(TLoadProblem::kCannotOpen, opened[i]->LoadFailure().Problem) << i;
  }
  EXPECT_TRUE(opened[2]->Connected());
  EXPECT_THAT(MergedWords(*collection_), ElementsAre("cat"));
  // One message in the interface language, naming each file that failed and why.
  ASSERT_EQ(1u, messages_.Texts().size());
  EXPECT_EQ(Cp("Ошибка при загрузке словарей\n") + a + Cp(": Нет прав на чтение файла.\n") + b +
                Cp(": Нет прав на чтение файла."),
            messages_.Texts()[0]);

  // Written back, the list still holds them, now not connected.
  ASSERT_TRUE(WriteDictionaryList(settings_, DictionaryListOf(*collection_)).ok());
  const TIniStore store(dir_.Read("gryvel.ini"));
  EXPECT_EQ("3", store.Value("Dictionaries", "Count"));
  EXPECT_EQ(a, store.Value("Dictionaries", "FileName_1"));
  EXPECT_EQ("0", store.Value("Dictionaries", "IsConnected_1"));
  EXPECT_EQ(b, store.Value("Dictionaries", "FileName_2"));
}

// Two entries for one file (as a save under another dictionary's name once left): the first
// stays, and when the second was the active one, the first becomes active in its place.
TEST_F(DictionaryListTest, AFileListedTwiceKeepsItsFirstEntryAndSaysSoOnce) {
  const std::string a = Kiv("a.kiv", "A", "ant");
  const std::string c = Kiv("c.kiv", "C", "cat");
  const std::string a_again = dir_.Path() + "/./a.kiv";
  SetIni("[Dictionaries]\nCount=4\nEditingDictionary=2\nFileName_1=" + a + "\nName_1=First\n" +
         "FileName_2=" + a_again + "\nName_2=Second\nFileName_3=" + c + "\nFileName_4=" + a + "\n");
  SetUILanguage(TUILanguage::Russian);
  const std::vector<TKivDictionary*> opened = ReadList();
  SetUILanguage(TUILanguage::NotSet);

  ASSERT_EQ(2u, opened.size());
  EXPECT_EQ(a, opened[0]->FileName());
  EXPECT_EQ(Cp("First"), opened[0]->Name());
  EXPECT_EQ(opened[0], collection_->Active());
  ASSERT_EQ(1u, messages_.Texts().size());
  EXPECT_EQ(Cp("В списке словарей один и тот же файл указан несколько раз; оставлена только "
                "первая запись:\n") +
                a_again + "\n" + a,
            messages_.Texts()[0]);

  ASSERT_TRUE(WriteDictionaryList(settings_, DictionaryListOf(*collection_)).ok());
  const TIniStore store(dir_.Read("gryvel.ini"));
  EXPECT_EQ("2", store.Value("Dictionaries", "Count"));
  EXPECT_EQ("1", store.Value("Dictionaries", "EditingDictionary"));
}

// A listed .kiv file whose bytes are no longer a dictionary's stays listed, marked, unread.
TEST_F(DictionaryListTest, AListedDictionaryFileThatIsNoDictionaryIsKeptUnread) {
  const std::string junk = dir_.Write("junk.kiv", "cat dog bird\n");
  SetIni("[Dictionaries]\nCount=1\nFileName_1=" + junk + "\nIsConnected_1=1\n");
  const std::vector<TKivDictionary*> opened = ReadList();
  ASSERT_EQ(1u, opened.size());
  EXPECT_FALSE(opened[0]->Connected());
  EXPECT_EQ(TLoadProblem::kNotDictionary, opened[0]->LoadFailure().Problem);
  EXPECT_EQ(0, collection_->Count());
  ASSERT_EQ(1u, messages_.Texts().size());
  EXPECT_EQ("Error loading the dictionaries\n" + junk + ": The file is not a Gryvel dictionary.",
            messages_.Texts()[0]);
}

TEST_F(DictionaryListTest, AMissingSettingsFileListsNothingAndIsNotCreated) {
  EXPECT_THAT(ReadList(), ElementsAre());
  EXPECT_THAT(dir_.Names(), ElementsAre());
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(DictionaryListTest, AHugeCountDoesNotKeepTheReaderBusy) {
  const std::string a = Kiv("a.kiv", "A", "ant");
  SetIni("[Dictionaries]\nCount=2147483647\nFileName_2147483647=" + a + "\n");
  ASSERT_EQ(1u, ReadList().size());
}

}  // namespace
}  // namespace gryvel
