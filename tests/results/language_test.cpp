#include "results/language.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "common/cp1251_case.h"
#include "common/cp1251_utf8.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;
using testing::Utf;

class Language : public ::testing::Test {
 protected:
  void SetUp() override { SetUILanguage(TUILanguage::NotSet); }
  void TearDown() override { SetUILanguage(TUILanguage::NotSet); }
};

TEST_F(Language, OnlyRusSelectsRussian) {
  const struct {
    const char* name;
    TUILanguage language;
  } cases[] = {
      {"RUS", TUILanguage::Russian}, {"rus", TUILanguage::Russian},  {"Rus", TUILanguage::Russian},
      {"ENG", TUILanguage::English}, {"Eng", TUILanguage::English},  {"", TUILanguage::English},
      {"DE", TUILanguage::English},  {"RUSS", TUILanguage::English}, {"RU", TUILanguage::English},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUILanguage(TUILanguage::NotSet);
    SetLanguage(c.name);
    EXPECT_EQ(c.language, UILanguage());
  }
}

TEST_F(Language, NotSetReadsAsEnglish) {
  ASSERT_EQ(TUILanguage::NotSet, UILanguage());
  EXPECT_EQ("Cancel", Term(TTerm::Cancel));
  EXPECT_EQ("n., adj. (pl.)", PartOfSpeechText(0x03, true));
  EXPECT_EQ("letters", LetterCountWord(2));
  EXPECT_EQ("Loading dictionary", LoadingTitle(false));
  EXPECT_EQ("&File", WindowText(TWindowTexts::MainWindow, "FileMenu"));
}

TEST_F(Language, LanguageCanBeSwitchedBack) {
  SetLanguage("RUS");
  EXPECT_EQ(Cp("Отмена"), Term(TTerm::Cancel));
  SetLanguage("ENG");
  EXPECT_EQ("Cancel", Term(TTerm::Cancel));
}

TEST_F(Language, PartOfSpeechText) {
  const struct {
    TUILanguage language;
    std::uint8_t bits;
    bool plural;
    const char* text;
  } cases[] = {
      {TUILanguage::English, 0x00, false, ""},
      {TUILanguage::English, 0x03, false, "n., adj."},
      {TUILanguage::English, 0x00, true, "pl."},
      {TUILanguage::English, 0x04, true, "v. (pl.)"},
      {TUILanguage::English, 0xFF, false, "n., adj., v., adv., pron., conj., prep., interj."},
      {TUILanguage::English, 0x90, false, "pron., interj."},
      {TUILanguage::Russian, 0x03, false, "сущ., прил."},
      {TUILanguage::Russian, 0x0C, true, "гл., нареч. (мн. ч.)"},
      {TUILanguage::Russian, 0x10, false, ""},  // pronoun: not named in Russian
      {TUILanguage::Russian, 0x10, true, "мн. ч."},
      {TUILanguage::Russian, 0xF8, false, "нареч."},  // unnamed bits add no separator
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    SetUILanguage(c.language);
    EXPECT_EQ(Cp(c.text), PartOfSpeechText(c.bits, c.plural));
  }
}

TEST_F(Language, LetterCountWord) {
  const struct {
    int count;
    const char* english;
    const char* russian;
  } cases[] = {
      {1, "letter", "букву"},
      {2, "letters", "букв"},
      {5, "letters", "букв"},
      {0, "letters", "букв"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    SetLanguage("ENG");
    EXPECT_EQ(c.english, LetterCountWord(c.count));
    SetLanguage("RUS");
    EXPECT_EQ(Cp(c.russian), LetterCountWord(c.count));
  }
}

TEST_F(Language, LoadingTitle) {
  SetLanguage("ENG");
  EXPECT_EQ("Loading dictionary", LoadingTitle(false));
  EXPECT_EQ("Loading dictionaries", LoadingTitle(true));
  SetLanguage("RUS");
  EXPECT_EQ(Cp("Открытие словаря"), LoadingTitle(false));
  EXPECT_EQ(Cp("Открытие словарей"), LoadingTitle(true));
}

TEST_F(Language, Terms) {
  const struct {
    TTerm term;
    const char* english;
    const char* russian;
  } cases[] = {
      {TTerm::Ok, "Ok", "Ok"},
      {TTerm::EqualLetters, "Equal letters", "Эквиваленты"},
      {TTerm::NewSearch, "New search...", "Новый поиск..."},
      {TTerm::Seconds, "sec", "сек"},
      {TTerm::Default, "Default", "Стандартная"},
      {TTerm::ChangeEqualLetters, "Change equal letters", "Изменить эквиваленты"},
      {TTerm::AnagramsUsual, "Find words which include all these letters",
       "Найти слова, состоящие только из заданных букв"},
      {TTerm::AnagramsMakeUpWords, "Make up words from these characters",
       "Составить слова из заданных букв"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.english);
    SetLanguage("ENG");
    EXPECT_EQ(c.english, Term(c.term));
    SetLanguage("RUS");
    EXPECT_EQ(Cp(c.russian), Term(c.term)) << Utf(Term(c.term));
  }
}

TEST_F(Language, RememberLastEntriesTakesTheCount) {
  SetLanguage("ENG");
  EXPECT_EQ("&remember {count} last entries", Term(TTerm::RememberLastEntries));
  EXPECT_EQ("&remember 10 last entries", RememberLastEntriesText(10));
  SetLanguage("RUS");
  EXPECT_EQ(Cp("по&мнить последние 0 запросов"), RememberLastEntriesText(0));
}

TEST_F(Language, WindowTexts) {
  const struct {
    TWindowTexts window;
    const char* key;
    const char* english;
    const char* russian;
  } cases[] = {
      {TWindowTexts::MainWindow, "Caption", "Gryvel 2.6", "Gryvel 2.6"},
      {TWindowTexts::MainWindow, "EditMenu", "&Edit", "П&равка"},
      {TWindowTexts::MainWindow, "ViewShowEntriesItem", "Show &entries", "&Описание слов"},
      {TWindowTexts::MainWindow, "HelpMenu", "&Help", "&?"},
      {TWindowTexts::MainWindow, "HelpContentsItem", "&Contents", "&Вызов справки"},
      {TWindowTexts::MainWindow, "HelpOnlineItem", "&Gryvel on-line", "&Домашняя страничка"},
      {TWindowTexts::MainWindow, "DictionaryMakeActiveItem", "Make &Active", "Сделать &активным"},
      {TWindowTexts::MainWindow, "FilterHint", "On / Off Filter", "Включить / отключить фильтр"},
      {TWindowTexts::MainWindow, "DictionaryFileFilter",
       "Gryvel dictionary (*.kiv)|*.kiv|All files|*.*",
       "Словарь Gryvel (*.kiv)|*.kiv|Все файлы|*.*"},
      {TWindowTexts::MainToolbar, "WordAnalysisButton", "Word Analysis", "Разложение"},
      {TWindowTexts::Statistics, "UniqueLettersItem", "Unique letters in words", "Буквы в словах"},
      {TWindowTexts::Statistics, "LetterAxisTitle", "letter", "буквы"},
      {TWindowTexts::Properties, "CommentsLabel", "Comments:", "Описание:"},
      {TWindowTexts::EntryEditor, "PrepositionCheck", "P&reposition", "П&редлог"},
      {TWindowTexts::EntryEditor, "MoreTab", "Part of speech && Number", "Дополнительно"},
      {TWindowTexts::EqualLetters, "EquivalentLabel", "Equivalent:", "Эквивалент:"},
      {TWindowTexts::Options, "SearchTab", " Search ", " Поиск "},
      {TWindowTexts::Options, "CaseSensitiveCheck", "ca&se sensitive", "учитывать &регистр"},
      {TWindowTexts::Options, "FontChangeButton", "Change...", "Изменить"},
      {TWindowTexts::Search, "CrosswordTab", "Crossword ", "Кроссворд "},
      {TWindowTexts::Search, "AnyConsonantLabel", "$ - any single consonant",
       "+ - любая согласная"},
      {TWindowTexts::Search, "AnyVowelLabel", "@ - any single vowel", "!+ - любая гласная"},
      {TWindowTexts::Search, "RangeRadio", "&range :", "диапа&зон :"},
      {TWindowTexts::Filter, "OffRadio", "&off ", "о&тключен"},
      {TWindowTexts::Filter, "LettersLabel", "characters", "&букв"},
      {TWindowTexts::About, "Caption", "About", "О программе"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    SetLanguage("ENG");
    EXPECT_EQ(c.english, WindowText(c.window, c.key));
    SetLanguage("RUS");
    EXPECT_EQ(Cp(c.russian), WindowText(c.window, c.key)) << Utf(WindowText(c.window, c.key));
  }
}

TEST_F(Language, UnknownKeyGivesEmptyText) {
  EXPECT_EQ("", WindowText(TWindowTexts::Filter, "FileMenu"));
  EXPECT_EQ("", WindowText(TWindowTexts::MainWindow, "filemenu"));
  EXPECT_EQ("", WindowText(TWindowTexts::About, ""));
}

// Catches a row left blank or a key used twice, which would hide the second row.
TEST_F(Language, EveryKeyIsUniqueAndHasBothTexts) {
  for (TWindowTexts window : kAllWindowTexts) {
    SCOPED_TRACE(static_cast<int>(window));
    const std::vector<std::string_view> keys = WindowTextKeys(window);
    EXPECT_FALSE(keys.empty());
    EXPECT_EQ(keys.size(), std::set<std::string_view>(keys.begin(), keys.end()).size());
    for (std::string_view key : keys) {
      SCOPED_TRACE(key);
      SetLanguage("ENG");
      EXPECT_NE("", WindowText(window, key));
      SetLanguage("RUS");
      EXPECT_NE("", WindowText(window, key));
    }
  }
}

// Within one menu, in both languages, every item has an accelerator of its own.
TEST_F(Language, MenuAcceleratorsAreUniquePerMenu) {
  const std::vector<std::vector<const char*>> menus = {
      {"FileMenu", "EditMenu", "SearchMenu", "OptionsMenu", "ViewMenu", "HelpMenu"},
      {"FileOpenItem", "FileSaveResultsItem", "FileNewDictionaryItem", "FileSaveItem",
       "FileSaveAsItem", "FileSaveResultsAsItem", "FilePropertiesItem", "FileExitItem"},
      {"EditAddEntryItem", "EditChangeEntryItem", "EditCopyItem", "EditDeleteItem"},
      {"SearchCrosswordItem", "SearchAnagramsItem", "SearchWordAnalysisItem", "SearchWordChainItem",
       "SearchPalindromesItem"},
      {"OptionsFilterItem", "OptionsEqualLettersItem", "OptionsStatisticsItem",
       "OptionsSettingsItem"},
      {"ViewSortMenu", "ViewToolbarsMenu", "ViewStatusBarItem", "ViewShowEntriesItem",
       "ViewFilterItem", "ViewResultsItem"},
      {"ViewAscendingItem", "ViewDescendingItem", "ViewAlphabeticallyItem", "ViewByLengthItem"},
      {"ViewToolbarsSearchItem", "ViewToolbarsSortItem"},
      {"HelpContentsItem", "HelpOnlineItem", "HelpNewVersionItem", "HelpAboutItem",
       "HelpQuestionMarkItem"},
      // The search history's pop-up menu, and the dictionary tree's.
      {"DictionaryNewItem", "DictionaryChangeItem", "HistoryDeleteItem",
       "DictionarySearchKindMenu"},
      {"DictionaryGoToItem", "DictionaryMessageItem", "DictionaryRenameItem", "EditDeleteItem",
       "DictionaryMakeActiveItem", "FilePropertiesItem"},
      {"DictionaryUsualItem", "DictionaryIncludeAllItem", "DictionaryMakeUpWordsItem"},
  };
  for (const char* language : {"RUS", "ENG"}) {
    SetLanguage(language);
    for (const auto& menu : menus) {
      std::set<std::uint8_t> accelerators;  // folded case: "Р" and "р" collide
      for (const char* key : menu) {
        SCOPED_TRACE(std::string(language) + " " + key);
        const std::string& text = WindowText(TWindowTexts::MainWindow, key);
        const std::size_t at = text.find('&');
        ASSERT_NE(std::string::npos, at);
        ASSERT_LT(at + 1, text.size());
        EXPECT_TRUE(accelerators.insert(Lower(static_cast<std::uint8_t>(text[at + 1]))).second);
      }
    }
  }
}

TEST_F(Language, FailedWritesGiveTheirReasonInTheInterfaceLanguage) {
  SetUILanguage(TUILanguage::Russian);
  EXPECT_EQ(Cp("Нет прав на запись."),
            FailureReason(TStatus::SystemError("Can't write: Permission denied", EACCES)));
  EXPECT_EQ(Cp("Диск доступен только для чтения."),
            FailureReason(TStatus::SystemError("x", EROFS)));
  // Without words of its own, the engine's message stands.
  EXPECT_EQ("Can't write: I/O error", FailureReason(TStatus::SystemError("Can't write: I/O error", EIO)));
  EXPECT_EQ("damaged", FailureReason(TStatus::Error("damaged")));
  SetUILanguage(TUILanguage::English);
  EXPECT_EQ("There is no space left on the disk.",
            FailureReason(TStatus::SystemError("x", ENOSPC)));
}

TEST_F(Language, AFailedWriteNamesTheFileAndTheReason) {
  const TStatus denied = TStatus::SystemError("Can't create: Permission denied", EACCES);
  SetUILanguage(TUILanguage::Russian);
  EXPECT_EQ(Cp("Не удалось сохранить словарь в \"/d/words.kiv\":\r\nНет прав на запись."),
            WriteFailureText(TTerm::DictionaryNotSaved, "/d/words.kiv", denied));
  EXPECT_EQ(Cp("Не удалось записать файл \"/d/w.txt\":\r\nThe word is too long"),
            WriteFailureText(TTerm::FileNotWritten, "/d/w.txt", TStatus::Error("The word is too long")));
  SetUILanguage(TUILanguage::English);
  EXPECT_EQ("The settings could not be saved to \"/c/gryvel.ini\":\r\nAccess denied.",
            WriteFailureText(TTerm::SettingsNotWritten, "/c/gryvel.ini", denied));
}

TEST_F(Language, TextThatCannotBeStoredIsNamedInTheInterfaceLanguage) {
  SetUILanguage(TUILanguage::Russian);
  EXPECT_EQ("Символ U+2713 «✓» в позиции 11 нельзя записать в кодировке 1251.",
            UnstorableText(*FindUnstorable("Мой новый ✓ и ✓ ещё")));
  EXPECT_EQ("Символ U+0085 в позиции 2 нельзя записать в кодировке 1251.",
            UnstorableText(*FindUnstorable("я\u0085")));
  // Malformed UTF-8 never comes from a text edit; the engine's words stand.
  EXPECT_EQ("Malformed UTF-8 at byte 0: byte 0xFF never occurs in UTF-8",
            UnstorableText(*FindUnstorable("\xFF")));
}

// The window and the command line say the same thing in English.
TEST_F(Language, EnglishTextOfAnUnstorableCharacterIsTheEnginesMessage) {
  SetUILanguage(TUILanguage::English);
  for (const char* text : {"café", "ab😀", "cafe\u0301", "\u0085"}) {
    const TUnstorable found = *FindUnstorable(text);
    EXPECT_EQ(found.Message + ".", UnstorableText(found)) << text;
  }
}

TEST_F(Language, ARefusedFileNamesTheFileAndTheReasonInTheInterfaceLanguage) {
  const auto refused = [](TFileRefusal refusal, int error) {
    return TFileClass{TFileKind::kRefused, refusal, error, 0};
  };
  SetUILanguage(TUILanguage::Russian);
  EXPECT_EQ(Cp("Файл \"/d/nosuch.kiv\" нельзя открыть как словарь:\r\nФайл не существует."),
            FileRefusalText(refused(TFileRefusal::kMissing, ENOENT), "/d/nosuch.kiv"));
  const struct {
    TFileRefusal refusal;
    int error;
    const char* russian;
    const char* english;
  } cases[] = {
      {TFileRefusal::kFolder, EISDIR, "Это папка, а не файл.", "This is a folder, not a file."},
      {TFileRefusal::kNotDictionary, 0, "Файл не является словарём Gryvel.",
       "The file is not a Gryvel dictionary."},
      {TFileRefusal::kUnreadable, EACCES, "Нет прав на чтение файла.", "Access denied."},
  };
  for (const auto& c : cases) {
    SetUILanguage(TUILanguage::Russian);
    EXPECT_EQ(Cp(c.russian), FileRefusalReason(refused(c.refusal, c.error)));
    SetUILanguage(TUILanguage::English);
    EXPECT_EQ(c.english, FileRefusalReason(refused(c.refusal, c.error)));
  }
}

}  // namespace
}  // namespace gryvel
