#include "shell/dictionary_info.h"

#include "common/cp1251_utf8.h"
#include "common/format.h"
#include "dictionary/kiv_dictionary.h"
#include "dictionary/kiv_header.h"
#include "results/language.h"

namespace gryvel {

namespace {

std::string Labelled(TTerm label, const std::string& value) {
  return Term(label) + ": " + value;
}

// The held header, or the file's when not read yet; the header of an unreadable file is empty,
// as the node lines do not report errors (opening the dictionary does).
TDictHead HeaderOf(TKivDictionary& dictionary) {
  if (dictionary.HeaderRead()) return dictionary.Head();
  try {
    return dictionary.ReadHeader();
  } catch (const EDictionaryError&) {
    return dictionary.Head();
  }
}

std::string WordCountText(const TKivDictionary& dictionary, const TDictHead& head) {
  // Count() of a loading dictionary is only the load position.
  if (dictionary.Loaded() && !dictionary.Loading()) return FormatCount(dictionary.Count());
  if (dictionary.Kind() == TDictKind::kBinary) return FormatCount(head.Count);
  return "?";
}

std::string FileNameText(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return PathForMessage(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string LoadTimeText(const TKivDictionary& dictionary) {
  if (!dictionary.Loaded() || dictionary.Loading()) return "";
  return FormatSeconds(dictionary.LoadTime()) + " " + Term(TTerm::Seconds);
}

}  // namespace

std::vector<TDictionaryInfoLine> DictionaryInfoLines(TKivDictionary& dictionary) {
  const TDictHead head = HeaderOf(dictionary);
  std::vector<TDictionaryInfoLine> lines;
  if (!head.Author.empty()) {
    lines.push_back(
        {TNodeKind::Author, TNodeKind::Dictionary, Labelled(TTerm::Author, head.Author)});
    if (!head.Web.empty()) lines.push_back({TNodeKind::Web, TNodeKind::Author, head.Web});
    if (!head.Email.empty()) lines.push_back({TNodeKind::Email, TNodeKind::Author, head.Email});
  }
  lines.push_back({TNodeKind::WordCount, TNodeKind::Dictionary,
                   Labelled(TTerm::Words, WordCountText(dictionary, head))});
  lines.push_back({TNodeKind::FileName, TNodeKind::Dictionary,
                   Labelled(TTerm::FileName, FileNameText(dictionary.FileName()))});
  lines.push_back({TNodeKind::LoadTime, TNodeKind::Dictionary,
                   Labelled(TTerm::Loading, LoadTimeText(dictionary))});
  return lines;
}

int DictionaryStateImage(bool connected, bool active, bool failed) {
  if (failed && !connected) return active ? 6 : 5;
  return (connected ? 2 : 1) + (active ? 2 : 0);
}

}  // namespace gryvel
