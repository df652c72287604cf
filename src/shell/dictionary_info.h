#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the dictionary tree of the right panel shows under each dictionary: the lines of its
// information nodes, worked out from the dictionary object so that the tree only displays them.

namespace gryvel {

class TKivDictionary;

// The kind of a dictionary tree node.
enum class TNodeKind : std::uint8_t {
  Dictionary = 1,  // the dictionary itself (top level)
  Author,          // "Author: ..."
  Web,             // the web address, a child of the author node
  Email,           // the e-mail address, a child of the author node
  WordCount,       // "Words: ..."
  FileName,        // "File name: ..."
  LoadTime,        // "Loading: ... sec"
};

// One information node. Text is code page 1251.
struct TDictionaryInfoLine {
  TNodeKind Kind = TNodeKind::Author;
  // The node it hangs under: Dictionary, or Author for the web and e-mail addresses (which
  // come only when the author line does, right after it).
  TNodeKind Parent = TNodeKind::Dictionary;
  std::string Text;

  bool operator==(const TDictionaryInfoLine&) const = default;
};

// The information lines of `dictionary` in tree order, texts in the current language: the
// author (only when the header names one) followed by its web and e-mail addresses (each only
// when present), the word count ("?" unless the dictionary is loaded or binary), the file name
// without its directory, and the load time (only the label until the dictionary is loaded).
// A dictionary that is not loaded answers from its header, read from the file when not held
// yet; a file that cannot be opened then gives the lines of an empty header. While the
// dictionary is loading only its held header is read.
std::vector<TDictionaryInfoLine> DictionaryInfoLines(TKivDictionary& dictionary);

// The state image of a dictionary node: 1 not connected, 2 connected, 3 not connected and
// active, 4 connected and active; a dictionary that is not connected because its load failed
// shows 5, or 6 when active.
int DictionaryStateImage(bool connected, bool active, bool failed = false);

}  // namespace gryvel
