#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dict_head.h"
#include "dictionary/dictionary_collection.h"

// The rules behind the window's dictionary and entry commands that need no widget: which
// dictionaries take entries or may become active, which entry commands apply, whether a file
// is open already, and the extensions of the save dialogs.

namespace gryvel {

// A binary dictionary with neither header protection: the entry editor offers it.
bool TakesEntries(const TKivDictionary& dictionary);
// The dictionaries of `collection` that take entries, in collection order.
std::vector<TKivDictionary*> EntryDictionaries(const TDictionaryCollection& collection);
// "Make active" applies: a binary dictionary, not read-only, not the active one.
bool CanMakeActive(const TDictionaryCollection& collection, const TKivDictionary& dictionary);
// "Properties..." applies to binary dictionaries only.
bool HasProperties(const TKivDictionary& dictionary);

// The active dictionary when it is connected and holds the word of merged entry `index`; null
// otherwise. "Change entry" and "Delete" act only then.
TKivDictionary* ActiveHolderOf(const TDictionaryCollection& collection, std::int32_t index);

// The open dictionary whose file is `path` (the same file, however the path is spelt: links,
// "..", a second spelling of the directory), or null. Dictionaries without a file never match.
TKivDictionary* FindOpenDictionary(const TDictionaryCollection& collection,
                                   const std::string& path);

// An open dictionary other than `dictionary` whose file is `path` (as FindOpenDictionary sees
// it), or null. Saving `dictionary` there would leave two dictionaries sharing one file, where
// the last save wins; the save is refused, naming the other.
TKivDictionary* OtherDictionaryUsing(const TDictionaryCollection& collection,
                                     const TKivDictionary& dictionary, const std::string& path);

// True when `path` (native) is an existing file without any write permission: a save that
// would replace it asks first, and the replacement keeps that mode.
bool WriteProtected(const std::string& path);

// The extension, without its dot, of the pattern of pair `index` (from 0) of a filter in the
// form "Name|*.kiv|Other|*.txt"; empty when the pair does not exist or its pattern has no
// fixed extension ("*.*", "*").
std::string FilterExtension(std::string_view pipe_filter, int index);

// `path` with "." and `extension` appended when its file name has no extension and
// `extension` is not empty; otherwise `path`.
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

// The texts of the dictionary properties dialog. An empty web or e-mail address shows its
// placeholder, and a field left at its placeholder stores an empty address.
inline constexpr std::string_view kWebPlaceholder = "http://";
inline constexpr std::string_view kEmailPlaceholder = "@";

struct TDictionaryFields {
  std::string Title;
  std::string Comments;
  std::string Author;
  std::string Web;
  std::string Email;
};

TDictionaryFields FieldsOf(const TDictHead& head);
// `head` with the texts of `fields`.
TDictHead WithFields(TDictHead head, const TDictionaryFields& fields);
// The address "Go to..." opens, or empty when it opens nothing.
std::string WebTarget(std::string_view web);
// The "mailto:" address "Message..." opens, or empty when it opens nothing.
std::string MailTarget(std::string_view email);

}  // namespace gryvel
