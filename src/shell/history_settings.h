#pragma once

#include "common/status.h"
#include "search/character_manager.h"
#include "shell/search_history.h"
#include "shell/settings_file.h"

// The search history and the equal-letters groups in the settings file: [Pattern] and
// [Anagram] hold Count and the entries "1" .. Count, newest first (an anagram entry as its
// letters, "," and its mode); [Equal] holds Count and the groups "1" .. Count as
// Letters "=" Equivalent "," and "1" (active) or "0". [Meaning] holds the searches by meaning
// as [Pattern] holds the crossword searches, each as "pattern : clue"; a file without it (as
// older versions write) has no meaning entries, and older versions pass it over.

namespace gryvel {

// Appends the [Pattern] entries to the crossword branch of `history`: at most its
// SaveLastCount, none when its DoSaveLast is off; empty entries are skipped. Shows
// "... (шаблон)" when the file cannot be read.
bool ReadPatternHistory(TSettingsFile& file, TSearchHistory& history);
// As ReadPatternHistory for [Anagram]. An entry without "," has mode 0; an entry whose mode
// (after its last ",") is not 0, 1 or 2 is skipped and "... (анаграммы)" shown once, after
// the other entries are read.
bool ReadAnagramHistory(TSettingsFile& file, TSearchHistory& history);
// As ReadPatternHistory for [Meaning]. An entry that is not "pattern : clue" is skipped and
// "... (по смыслу)" shown once, after the other entries are read.
bool ReadMeaningHistory(TSettingsFile& file, TSearchHistory& history);
// Adds every [Equal] group to `manager` and its node to `history`. A value is used when it
// holds at least 3 characters, letters before its "=" and the equivalent after it; without
// a flag the group is active. A value as written (ending "=E,0" or "=E,1") is read from its
// end, so that letters holding "=" or "," and the equivalent "," come back as they were.
bool ReadEqualLetters(TSettingsFile& file, TCharacterManager& manager, TSearchHistory& history);

TStatus WritePatternHistory(TSettingsFile& file, const TSearchHistory& history);
TStatus WriteAnagramHistory(TSettingsFile& file, const TSearchHistory& history);
TStatus WriteMeaningHistory(TSettingsFile& file, const TSearchHistory& history);
TStatus WriteEqualLetters(TSettingsFile& file, const TCharacterManager& manager);

}  // namespace gryvel
