#pragma once

#include <string>
#include <string_view>

// The shell's fixed texts that are not switched with the interface language: the messages of
// the settings readers, the name of a dictionary without one, the results file's lines.
// Code page 1251 bytes.

namespace gryvel {

enum class TShellText {
  MainReadError,          // [Main]
  ViewerReadError,        // [Viewer]
  SearchReadError,        // [Search]
  ToolbarReadError,       // [SearchDock], [ViewDock]
  WindowReadError,        // [WindowPos]
  PatternReadError,       // [Pattern]
  AnagramReadError,       // [Anagram]
  EqualLettersReadError,  // [Equal]
  DictionariesReadError,  // [Dictionaries]
  NoDictionaryName,       // "<Словарь>"
  ResultsKindCrossword,   // "Вид поиска: КРОССВОРД"
  ResultsMask,            // "Маска: "
  ResultsKindAnagrams,
  ResultsLetters,  // "Набор букв: "
  ResultsKindPalindromes,
  ResultsHeading,  // "------- Результаты -------"
  QuestionCaption,      // "Запрос", the caption of every question
  SaveChangesQuestion,  // asked at close for a modified dictionary; see ShellTextWith
  RemoveDictionaryQuestion,  // "Удалить словарь "%s" из списка?"
  MakeActiveQuestion,        // "Сделать словарь "%s" активным?"
  SavingDictionary,          // "Сохраняю словарь в ", followed by the file name
  InformationCaption,        // "Информация"
  ChooseDictionary,          // the entry editor's message when no dictionary takes the word
  ResultsKindMeaning,        // "Вид поиска: ПО СМЫСЛУ"
  MeaningReadError,          // [Meaning]
};

// The text of `text`. Thread safety: any thread; the texts are converted once, on first use.
const std::string& ShellText(TShellText text);

// `text` with its "%s" replaced by `value`.
std::string ShellTextWith(TShellText text, std::string_view value);
// The first lines of every results file: the program, its web sites, the terms of use, the
// author's address and request, then one empty line.
const std::string& ResultsBanner(int line);
inline constexpr int kResultsBannerLines = 13;

}  // namespace gryvel
