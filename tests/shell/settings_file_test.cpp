#include "shell/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "search/letter_maps.h"
#include "shell/default_settings.h"
#include "shell/dictionary_list_settings.h"
#include "shell/filter_settings.h"
#include "shell/history_settings.h"
#include "shell/layout_settings.h"
#include "shell/main_settings.h"
#include "shell/settings_fixture.h"
#include "shell/viewer_settings.h"
#include "support/counting_file_system.h"
#include "support/failing_file_system.h"
#include "support/kiv_bytes.h"
#include "support/temp_dir.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

class SettingsFileTest : public testing::SettingsFixture {};

TEST_F(SettingsFileTest, AFirstRunWritesTheDefaultsWhichReadAsTheDocumentedValues) {
  TIniStore store;
  ASSERT_TRUE(settings_.Read(&store).ok());
  EXPECT_TRUE(settings_.CreatedDefaults());
  EXPECT_EQ(
      "[Main]\nInitialDir=/prog\nShowStatusBar=\nLanguage=RUS\n\n"
      "[WindowPos]\nState=\n\n[Viewer]\nShowDescription=\n\n[Search]\nDoFastSearch=\n\n"
      "[SearchDock]\nDockedTo=\n\n[ViewDock]\nDockedTo=\n\n[SpecialDock]\nDockedTo=\n\n"
      "[Pattern]\nCount=\n\n[Anagram]\nCount=\n\n[Dictionaries]\nCount=0\n",
      Ini());
  const TMainSettings main = ReadMainSettings(settings_);
  EXPECT_TRUE(main.ShowStatusBar);  // written empty
  EXPECT_EQ("/prog", main.InitialDir);
  EXPECT_EQ("RUS", ReadLanguage(settings_));
  EXPECT_TRUE(ReadSearchOptions(settings_).DoFastSearch);
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(SettingsFileTest, TheDefaultDictionaryIsListedWithItsOwnName) {
  const std::string titled = testing::V2Header(0, {Cp("Основной"), "", "", "", ""});
  files_.SetFile("/prog/dictionary.kiv", Bytes(testing::V2Header(0)));
  files_.SetFile("/prog/Dictionaries/dictionary.kiv", Bytes(titled));
  EXPECT_EQ("/prog/Dictionaries/dictionary.kiv", FindDefaultDictionary("/prog", files_));

  const TIniStore store = CreateDefaultSettings("/prog", files_);
  EXPECT_EQ("1", store.Value("Dictionaries", "Count"));
  EXPECT_EQ("/prog/Dictionaries/dictionary.kiv", store.Value("Dictionaries", "FileName_1"));
  EXPECT_EQ(Cp("Основной"), store.Value("Dictionaries", "Name_1"));
  EXPECT_EQ("1", store.Value("Dictionaries", "IsConnected_1"));
}

TEST_F(SettingsFileTest, TheBundledEnglishDictionaryIsListedButNotConnected) {
  const std::string english = testing::V2Header(0, {"English", "", "", "", ""});
  files_.SetFile("/usr/share/gryvel/Dictionaries/dictionary.kiv", Bytes(testing::V2Header(0)));
  files_.SetFile("/usr/share/gryvel/Dictionaries/english.kiv", Bytes(english));
  const TIniStore store = CreateDefaultSettings("/usr/bin", files_, "/usr/share/gryvel");
  EXPECT_EQ("2", store.Value("Dictionaries", "Count"));
  EXPECT_EQ("1", store.Value("Dictionaries", "IsConnected_1"));
  EXPECT_EQ("/usr/share/gryvel/Dictionaries/english.kiv",
            store.Value("Dictionaries", "FileName_2"));
  EXPECT_EQ("English", store.Value("Dictionaries", "Name_2"));
  EXPECT_EQ("0", store.Value("Dictionaries", "IsConnected_2"));

  // Without the Russian one the English one is still only listed.
  files_.SetFile("/prog/english.kiv", Bytes(english));
  const TIniStore alone = CreateDefaultSettings("/prog", files_);
  EXPECT_EQ("1", alone.Value("Dictionaries", "Count"));
  EXPECT_EQ("/prog/english.kiv", alone.Value("Dictionaries", "FileName_1"));
  EXPECT_EQ("0", alone.Value("Dictionaries", "IsConnected_1"));
}

// The first run speaks the user's language and connects the dictionary of that language; the
// other one is listed. The open-dictionary dialog starts in the user's home.
TEST_F(SettingsFileTest, AFirstRunFollowsTheLocale) {
  struct Case {
    const char* lang;
    const char* language;
    const char* connected;
    const char* listed;
  };
  const Case cases[] = {
      {"ru_RU.UTF-8", "RUS", "dictionary.kiv", "english.kiv"},
      {"ru", "RUS", "dictionary.kiv", "english.kiv"},
      {"en_US.UTF-8", "ENG", "english.kiv", "dictionary.kiv"},
      {"C", "ENG", "english.kiv", "dictionary.kiv"},
      {"run_XX", "ENG", "english.kiv", "dictionary.kiv"},  // not "ru" itself
  };
  files_.SetFile("/usr/share/gryvel/Dictionaries/dictionary.kiv", Bytes(testing::V2Header(0)));
  files_.SetFile("/usr/share/gryvel/Dictionaries/english.kiv", Bytes(testing::V2Header(0)));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lang);
    const TFirstRunUser user{IsRussianLocale(c.lang), "/home/u"};
    const TIniStore store = CreateDefaultSettings("/usr/bin", files_, "/usr/share/gryvel", user);
    EXPECT_EQ(c.language, store.Value("Main", "Language"));
    EXPECT_EQ("/home/u", store.Value("Main", "InitialDir"));
    EXPECT_EQ("2", store.Value("Dictionaries", "Count"));
    EXPECT_EQ(std::string("/usr/share/gryvel/Dictionaries/") + c.connected,
              store.Value("Dictionaries", "FileName_1"));
    EXPECT_EQ("1", store.Value("Dictionaries", "IsConnected_1"));
    EXPECT_EQ(std::string("/usr/share/gryvel/Dictionaries/") + c.listed,
              store.Value("Dictionaries", "FileName_2"));
    EXPECT_EQ("0", store.Value("Dictionaries", "IsConnected_2"));
  }
}

// The locale that names the messages' language is the first of LC_ALL, LC_MESSAGES and LANG
// that is set and not empty.
TEST(FirstRunUserTest, TheProcessLocaleDecides) {
  struct Case {
    const char* lc_all;
    const char* lc_messages;
    const char* lang;
    bool russian;
  };
  const Case cases[] = {
      {nullptr, nullptr, "ru_RU.UTF-8", true},   {nullptr, nullptr, "en_US.UTF-8", false},
      {nullptr, nullptr, "C", false},            {nullptr, nullptr, nullptr, false},
      {"C", nullptr, "ru_RU.UTF-8", false},      {"", "ru_RU.UTF-8", "en_US.UTF-8", true},
      {nullptr, "en_US.UTF-8", "ru_RU.UTF-8", false},
  };
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG", "HOME"};
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
  for (const char* name : names) {
    const char* value = std::getenv(name);
    saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
  }
  const auto set = [](const char* name, const char* value) {
    if (value != nullptr)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  };
  set("HOME", "/home/u");
  for (const Case& c : cases) {
    set("LC_ALL", c.lc_all);
    set("LC_MESSAGES", c.lc_messages);
    set("LANG", c.lang);
    const TFirstRunUser user = ProcessFirstRunUser();
    EXPECT_EQ(c.russian, user.Russian) << (c.lc_all ? c.lc_all : "-") << " "
                                       << (c.lc_messages ? c.lc_messages : "-") << " "
                                       << (c.lang ? c.lang : "-");
    EXPECT_EQ("/home/u", user.Home);
  }
  for (const auto& [name, value] : saved) set(name, value ? value->c_str() : nullptr);
}

TEST_F(SettingsFileTest, AnInstalledProgramFindsTheDefaultDictionaryInItsDataDirectory) {
  files_.SetFile("/usr/share/gryvel/Dictionaries/dictionary.kiv", Bytes(testing::V2Header(0)));
  EXPECT_EQ("", FindDefaultDictionary("/usr/bin", files_));
  EXPECT_EQ("/usr/share/gryvel/Dictionaries/dictionary.kiv",
            FindDefaultDictionary("/usr/bin", files_, "/usr/share/gryvel"));
  files_.SetFile("/usr/bin/dictionary.kiv", Bytes(testing::V2Header(0)));
  EXPECT_EQ("/usr/bin/dictionary.kiv",
            FindDefaultDictionary("/usr/bin", files_, "/usr/share/gryvel"));
}

TEST_F(SettingsFileTest, ADictionaryWithoutATitleOrAHeaderIsListedUnnamed) {
  files_.SetFile("/prog/dictionary.kiv", Bytes("just words"));
  EXPECT_EQ("/prog/dictionary.kiv", FindDefaultDictionary("/prog", files_));
  EXPECT_EQ(Cp("<Словарь>"),
            CreateDefaultSettings("/prog", files_).Value("Dictionaries", "Name_1"));
}

TEST_F(SettingsFileTest, AFirstWriteStartsFromTheFirstRunFile) {
  TFilterSettings filter;
  filter.Enable = true;
  ASSERT_TRUE(WriteFilterSettings(settings_, filter).ok());
  const TIniStore store(Cp(Ini()));
  EXPECT_EQ("RUS", store.Value("Main", "Language"));
  EXPECT_EQ("0", store.Value("Dictionaries", "Count"));
  EXPECT_EQ("1", store.Value("Filter", "Enable"));
}

TEST_F(SettingsFileTest, AnExistingFileIsReadAsItIsAndNotReplaced) {
  SetIni("[Main]\nLanguage=ENG\n");
  TIniStore store;
  ASSERT_TRUE(settings_.Read(&store).ok());
  EXPECT_FALSE(settings_.CreatedDefaults());
  EXPECT_EQ("[Main]\nLanguage=ENG\n", Ini());
}

TEST_F(SettingsFileTest, TheDictionaryListReaderNeitherCreatesNorNeedsAFile) {
  TIniStore store;
  ASSERT_TRUE(settings_.ReadExisting(&store).ok());
  EXPECT_TRUE(store.Empty());
  EXPECT_FALSE(files_.FileExists(kIniPath));
}

TEST_F(SettingsFileTest, AnUpdateKeepsEveryOtherGroupAndUnknownLine) {
  SetIni("; mine\n[Main]\nLanguage=ENG\nCustom=1\n[Unknown]\nx=y\n");
  ASSERT_TRUE(
      settings_.Update([](TIniStore& s) { s.WriteInteger("Main", "RightWidth", 300); }).ok());
  EXPECT_EQ("; mine\n[Main]\nLanguage=ENG\nCustom=1\nRightWidth=300\n[Unknown]\nx=y\n", Ini());
}

TEST(SettingsFileWritesTest, AGroupWrittenWithTheValuesItHoldsLeavesTheFileAlone) {
  TMemoryFileSystem memory;
  memory.SetFile("/prog/gryvel.ini", Bytes("[Main]\nLanguage=ENG\n"));
  testing::CountingFileSystem files(memory);
  TSettingsFile settings(files, "/prog/gryvel.ini", "/prog");
  ASSERT_TRUE(settings.Update([](TIniStore& s) { s.WriteString("Main", "Language", "ENG"); }).ok());
  EXPECT_EQ(0, files.Writes());

  TSearchOptions options;
  options.SaveLastCount = 7;
  ASSERT_TRUE(WriteSearchOptions(settings, options).ok());
  EXPECT_EQ(1, files.Writes());
  ASSERT_TRUE(WriteSearchOptions(settings, options).ok());
  EXPECT_EQ(1, files.Writes());
  options.CaseSensitive = true;
  ASSERT_TRUE(WriteSearchOptions(settings, options).ok());
  EXPECT_EQ(2, files.Writes());
  EXPECT_TRUE(ReadSearchOptions(settings).CaseSensitive);
}

// Reading fails as a file that cannot be opened does.
class UnreadableFileSystem : public TMemoryFileSystem {
 public:
  std::unique_ptr<TReadFile> OpenForReading(const std::string&, TReadAccess, int* error) override {
    *error = EACCES;
    return nullptr;
  }
};

TEST(SettingsFileFailureTest, EachGroupReportsItsOwnMessageOnceAndTheDefaultsStay) {
  testing::CaptureMessages messages;
  UnreadableFileSystem files;
  files.SetFile("/prog/gryvel.ini", Bytes("[Main]\nLanguage=ENG\nRightWidth=1\n"));
  TSettingsFile settings(files, "/prog/gryvel.ini", "/prog");
  TCharacterManager manager;
  TSearchHistory history;
  TDictionaryCollection collection(&files);
  TViewerSettings viewer;
  TToolbarPositions toolbars;
  TWindowPosition window;

  const struct {
    std::function<void()> read;
    const char* message;  // UTF-8; empty: none
  } groups[] = {
      {[&] { EXPECT_EQ(248, ReadMainSettings(settings).RightWidth); },
       "Ошибка при чтении параметров (код 001)"},
      {[&] { ReadViewerSettings(settings, viewer); }, "Ошибка при чтении параметров (код 002)"},
      {[&] { ReadSearchOptions(settings); }, "Ошибка при чтении параметров (код 003)"},
      {[&] { ReadToolbarPositions(settings, toolbars); }, "Ошибка при чтении параметров (код 004)"},
      {[&] { ReadWindowPosition(settings, window); }, "Ошибка при чтении параметров (код 005)"},
      {[&] { ReadPatternHistory(settings, history); },
       "Ошибка при чтении параметров поиска (шаблон)"},
      {[&] { ReadAnagramHistory(settings, history); },
       "Ошибка при чтении параметров поиска (анаграммы)"},
      {[&] { ReadEqualLetters(settings, manager, history); },
       "Ошибка при чтении параметров поиска (эквивалентные буквы)"},
      {[&] { ReadDictionaryList(settings, collection); }, "Ошибка при загрузке словарей"},
      {[&] { EXPECT_EQ("RUS", ReadLanguage(settings)); }, ""},
      {[&] { EXPECT_EQ(1, ReadFilterSettings(settings).MinLength); }, ""},
  };
  for (const auto& group : groups) {
    const std::size_t before = messages.Texts().size();
    group.read();
    std::vector<std::string> shown = messages.Texts();
    shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(before));
    if (*group.message == '\0')
      EXPECT_THAT(shown, ElementsAre());
    else
      EXPECT_THAT(shown, ElementsAre(Cp(group.message)));
  }
  ResetLetterMaps();
}

TEST(SettingsFileFailureTest, AFileThatCannotBeReadIsNeverOverwritten) {
  UnreadableFileSystem files;
  files.SetFile("/prog/gryvel.ini", Bytes("[Main]\nLanguage=ENG\n"));
  TSettingsFile settings(files, "/prog/gryvel.ini", "/prog");
  EXPECT_FALSE(WriteMainSettings(settings, TMainSettings()).ok());
  EXPECT_FALSE(WriteFilterSettings(settings, TFilterSettings()).ok());
  EXPECT_EQ(Bytes("[Main]\nLanguage=ENG\n"), files.File("/prog/gryvel.ini"));
}

TEST(SettingsFileFailureTest, AFailedWriteLeavesTheOldFileWhole) {
  testing::TempDir dir;
  const std::string path = dir.Write("gryvel.ini", "[Main]\r\nLanguage=ENG\r\n");
  testing::FailingFileSystem files;
  TSettingsFile settings(files, path, dir.Path());
  TMainSettings main;
  main.Language = "RUS";

  files.FailAfterBytes(10);
  EXPECT_FALSE(WriteMainSettings(settings, main).ok());
  files.FailAfterBytes(testing::FailingFileSystem::kNever);
  files.FailCommit(true);
  EXPECT_FALSE(WriteMainSettings(settings, main).ok());

  EXPECT_EQ("[Main]\r\nLanguage=ENG\r\n", dir.Read("gryvel.ini"));
  EXPECT_THAT(dir.Names(), ElementsAre("gryvel.ini"));  // no temporary file left behind
}

TEST(SettingsFileFailureTest, AFirstRunThatCannotBeWrittenStillReadsTheDefaults) {
  testing::CaptureMessages messages;
  testing::FailingFileSystem files;
  files.FailCommit(true);
  testing::TempDir dir;
  dir.Write("dictionary.kiv", testing::V2Header(0));
  TSettingsFile settings(files, dir.File("gryvel.ini"), dir.Path());

  TIniStore store;
  ASSERT_TRUE(settings.Read(&store).ok());
  EXPECT_EQ(dir.File("dictionary.kiv"), store.Value("Dictionaries", "FileName_1"));
  EXPECT_FALSE(settings.KeepFailure().ok());
  EXPECT_THAT(dir.Names(), ElementsAre("dictionary.kiv"));
  EXPECT_THAT(messages.Texts(), ElementsAre());

  // Every later group, the dictionary list's reader too, sees the same values in memory, and
  // what is written stays there without another failure.
  ASSERT_TRUE(settings.ReadExisting(&store).ok());
  EXPECT_EQ("1", store.Value("Dictionaries", "IsConnected_1"));
  TMainSettings main;
  main.Language = "ENG";
  EXPECT_TRUE(WriteMainSettings(settings, main).ok());
  EXPECT_EQ("ENG", ReadLanguage(settings));
  EXPECT_THAT(dir.Names(), ElementsAre("dictionary.kiv"));
}

}  // namespace
}  // namespace gryvel
