#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/file_kind.h"
#include "dictionary/load_failure.h"

#include "common/status.h"

// Every visible text of the user interface in Russian and in English, and the one
// process-wide choice between them. Texts are code page 1251 bytes; "&" marks a menu or label
// accelerator and "&&" shows one ampersand.
//
// Thread safety: every function may be called from any thread. The language is an atomic
// byte; the tables are built once on first use and never change, so returned references stay
// valid for the life of the process.

namespace gryvel {

struct TUnstorable;

enum class TUILanguage : std::uint8_t { NotSet = 0, Russian = 1, English = 2 };

// The current language. NotSet until the first SetLanguage; every getter treats it as English.
TUILanguage UILanguage();

// Sets the language directly; SetUILanguage(TUILanguage::NotSet) returns to the start-up
// state. For tests and for SetLanguage.
void SetUILanguage(TUILanguage language);

// "RUS" in any ASCII case selects Russian, any other name (also "") English. `name` is the
// Language value of the settings file.
void SetLanguage(std::string_view name);

// Terms shared by several windows.
enum class TTerm {
  Ok,
  Cancel,
  Apply,
  Find,
  Help,
  Stop,
  Crossword,
  Anagrams,
  EqualLetters,
  NewSearch,  // "New search..."
  Author,
  Words,
  FileName,
  Loading,
  ConnectingDictionary,
  Seconds,  // "sec"
  Default,
  RememberLastEntries,  // holds the marker "{count}"; see RememberLastEntriesText
  About,
  Properties,
  NewDictionary,
  AddEntry,
  ChangeEntry,
  Change,
  Add,
  AddEqualLetters,
  ChangeEqualLetters,
  // What each anagram mode finds, shown under the mode's radio buttons.
  AnagramsUsual,
  AnagramsIncludeAll,
  AnagramsMakeUpWords,
  // An address the desktop could not open; {1} the web address or the e-mail address.
  BrowserNotStarted,
  MailProgramNotStarted,
  // The program's own messages; "{1}" and "{2}" take the values of TermWith.
  RunningCopyNoAnswer,
  SettingsNotSaved,      // {1} the settings file, {2} the reason
  SettingsNotKept,       // {1} the settings file, {2} the reason
  // Reasons of failed writes (FailureReason).
  ReasonAccessDenied,
  ReasonReadOnly,
  ReasonNoSpace,
  ReasonNoFolder,
  // A character code page 1251 cannot hold (UnstorableText): {1} its code "U+2713", {2} the
  // character, {3} its position; the second for a control character, which is not quoted.
  CharacterNotStorable,
  ControlCharacterNotStorable,
  // A dictionary that could not be loaded (LoadFailureText, LoadFailureReason).
  DictionaryNotLoaded,    // {1} the file, {2} the reason
  DictionariesNotLoaded,  // the start-up message, above a line for each file
  DictionaryNotLoadedTip,  // the dictionary tree's tip; {1} the reason
  DuplicateDictionaries,  // the start-up message, above a line for each file listed twice
  FileNotOpened,          // a refused file (FileRefusalText); {1} the file, {2} the reason
  WordListDoubtful,       // {1} the file, {2} the percentage of runs that are not words
  ReasonNoReadAccess,
  ReasonNoFile,
  ReasonIsFolder,
  ReasonNotDictionary,
  ReasonDamagedHeader,
  ReasonUnexpectedEnd,
  ReasonDamagedRecord,
  ReasonFileTooLarge,
  ReasonOutOfMemory,
  // Failed writes; {1} the file, {2} the reason (WriteFailureText).
  DictionaryNotSaved,
  FileOfOtherDictionary,  // {1} the file, {2} the name of the dictionary using it
  FileWriteProtected,     // {1} the file
  FileNotWritten,
  SettingsNotWritten,
  // The search by meaning in the history tree.
  ByMeaning,  // the root of the history's meaning branch
  kLastTerm = ByMeaning,
};

// The text of `term` in the current language.
const std::string& Term(TTerm term);

// `term` with "{1}" replaced by `first` and "{2}" by `second` (code page 1251).
std::string TermWith(TTerm term, std::string_view first, std::string_view second = {});

// Why `failed` failed, in the interface language when it is a system error with words of its
// own here; its message otherwise.
std::string FailureReason(const TStatus& failed);

// The message that a text cannot be stored because of `found`, naming the character and its
// position, in the interface language. UTF-8, as the character may be one that code page 1251
// lacks; malformed UTF-8 is named in the engine's words.
std::string UnstorableText(const TUnstorable& found);

// The message that writing `file_name` (native) failed with `failed`: `term` (one of the
// failed-write terms) naming the file and the reason, in the interface language.
std::string WriteFailureText(TTerm term, std::string_view file_name, const TStatus& failed);

// Why a dictionary could not be loaded, in the interface language.
std::string LoadFailureReason(const TLoadFailure& failure);

// The message that the dictionary file `file_name` (native) could not be loaded, naming the
// file and the reason, in the interface language.
std::string LoadFailureText(const TLoadFailure& failure, std::string_view file_name);

// Why a file was refused (see ClassifyFile), in the interface language.
std::string FileRefusalReason(const TFileClass& refused);

// The message that `file_name` (native) cannot be opened as a dictionary: `refused` says why.
std::string FileRefusalText(const TFileClass& refused, std::string_view file_name);

// The RememberLastEntries term with "{count}" replaced by `count` in decimal.
std::string RememberLastEntriesText(int count);

// The abbreviations of the parts of speech set in `bits` (an entry's low part-of-speech
// byte), joined by ", ", followed by the plural mark when `plural`: "n., adj.", "v. (pl.)",
// "pl.". Russian names bits 0 to 3 only; the higher bits add nothing there.
std::string PartOfSpeechText(std::uint8_t bits, bool plural);

// "letter" or "letters" (Russian "букву" or "букв") as it reads after `count`.
const std::string& LetterCountWord(int count);

// The caption of the dictionary-loading progress: "Loading dictionary" or, when `plural`,
// "Loading dictionaries".
const std::string& LoadingTitle(bool plural);

// The windows whose texts are looked up by key when the window is created.
enum class TWindowTexts {
  MainWindow,   // title, menus, the dictionary pop-up menu, toolbar hints, file dialog filters
  MainToolbar,  // toolbar button captions, shown when the toolbar shows text labels
  Statistics,
  Properties,  // dictionary properties
  EntryEditor,
  EqualLetters,
  Options,
  Search,
  Filter,
  About,
};

inline constexpr TWindowTexts kAllWindowTexts[] = {
    TWindowTexts::MainWindow, TWindowTexts::MainToolbar, TWindowTexts::Statistics,
    TWindowTexts::Properties, TWindowTexts::EntryEditor, TWindowTexts::EqualLetters,
    TWindowTexts::Options,    TWindowTexts::Search,      TWindowTexts::Filter,
    TWindowTexts::About,
};

// The text of `key` in `window`, in the current language; the empty string for a key the
// window does not have, which is a programming error (WindowTextKeys lists the valid ones).
//
// Keys are PascalCase ASCII: "Caption" is the window's own caption (the main window's title);
// every other key names what the text is on, followed by its kind: Menu (a menu's own
// caption: "FileMenu", "ViewSortMenu"), Item (a menu, combo box or list item: "FileOpenItem",
// "LineItem"), Hint ("SortAscendingHint"), Filter (a file dialog filter), Button, Label,
// Check, Radio, Group, Tab, Column and Title (a chart axis). Menu items start with their
// menu's name ("EditCopyItem", "DictionaryRenameItem").
const std::string& WindowText(TWindowTexts window, std::string_view key);

// Every key of `window`, in table order.
std::vector<std::string_view> WindowTextKeys(TWindowTexts window);

}  // namespace gryvel
