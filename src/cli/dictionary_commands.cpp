#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/word_output.h"
#include "common/cp1251_utf8.h"
#include "dictionary/dict_head.h"
#include "dictionary/word_order.h"

namespace gryvel::cli {

namespace {

// A field of the info or show output: its name and its value as JSON and as plain text.
struct TField {
  std::string_view Name;
  std::string Json;
  std::string Plain;
};

TField TextField(std::string_view name, std::string_view cp1251) {
  return {name, JsonString(PlainText(cp1251)), OneLineText(cp1251)};
}

TField UtfField(std::string_view name, const std::string& utf8) {
  return {name, JsonString(utf8), utf8};
}

// The header flags by name: "3 (read-only, protected)".
std::string FlagsText(std::uint8_t flags) {
  std::string names;
  const std::pair<std::uint8_t, const char*> known[] = {
      {kHeadReadOnly, "read-only"}, {kHeadProtected, "protected"}, {kHeadCompressed, "compressed"}};
  for (const auto& [bit, name] : known)
    if (flags & bit) names += (names.empty() ? "" : ", ") + std::string(name);
  return std::to_string(flags) + (names.empty() ? "" : " (" + names + ")");
}

std::vector<TField> HeaderFields(const TKivDictionary& dictionary) {
  const TDictHead& head = dictionary.Head();
  const bool binary = dictionary.Kind() == TDictKind::kBinary;
  const std::string version = binary ? std::to_string(head.Version) : "";
  const std::uint32_t count = binary ? head.Count : static_cast<std::uint32_t>(dictionary.Count());
  return {
      UtfField("file", dictionary.FileName()),
      UtfField("format", binary ? "kiv" : "text"),
      {"version", binary ? version : "null", version},
      TextField("title", head.Title),
      TextField("comments", head.Comments),
      TextField("author", head.Author),
      TextField("email", head.Email),
      TextField("web", head.Web),
      TextField("language", head.Language),
      {"flags", std::to_string(head.Flags), FlagsText(head.Flags)},
      {"count", std::to_string(count), std::to_string(count)},
  };
}

std::string JsonOf(const std::vector<TField>& fields) {
  std::vector<TJsonMember> members;
  for (const TField& field : fields) members.emplace_back(field.Name, field.Json);
  return JsonObject(members);
}

std::string PlainOf(const std::vector<TField>& fields) {
  std::string text;
  for (const TField& field : fields)
    text += std::string(field.Name) + ":" + (field.Plain.empty() ? "" : " " + field.Plain) + "\n";
  return text;
}

// Prints a list of field groups: a JSON array of objects, or blocks split by a blank line.
void PrintGroups(const std::vector<std::vector<TField>>& groups, bool json) {
  std::string out = json ? "[" : "";
  for (std::size_t i = 0; i < groups.size(); ++i) {
    if (json)
      out += (i == 0 ? "\n  " : ",\n  ") + JsonOf(groups[i]);
    else
      out += (i == 0 ? "" : "\n") + PlainOf(groups[i]);
  }
  if (json) out += groups.empty() ? "]\n" : "\n]\n";
  PrintRaw(out);
}

// The merged entry of `word`: the one spelled exactly so if there is one, else the first that
// compares equal (another case, ё for е); -1 when none does.
std::int32_t FindEntry(const TDictionaryCollection& collection, const std::string& word) {
  const std::int32_t first = collection.Find(word);
  if (first < 0) return first;
  for (std::int32_t i = first; i < collection.Count(); ++i) {
    const std::string& entry = collection.Item(i)->Word;
    if (entry == word) return i;
    if (CompareWords(entry, word) != 0) break;
  }
  return first;
}

}  // namespace

int RunInfo(TCliSession& session, const TCliOptions& options) {
  std::vector<std::string> files;
  if (!DictionaryFiles(options, &files)) return kExitFailure;
  if (int code = AddDictionaries(session, files); code != kExitOk) return code;
  // A dictionary file's header holds its count; a word list is counted by reading it.
  std::vector<TKivDictionary*> dictionaries, word_lists;
  for (std::int32_t i = 0; i < session.Collection.DictionaryCount(); ++i) {
    dictionaries.push_back(session.Collection.Dictionary(i));
    if (dictionaries.back()->Kind() != TDictKind::kBinary)
      word_lists.push_back(dictionaries.back());
  }
  if (int code = LoadDictionaries(session, word_lists, false); code != kExitOk) return code;
  std::vector<std::vector<TField>> groups;
  for (const TKivDictionary* dictionary : dictionaries) groups.push_back(HeaderFields(*dictionary));
  PrintGroups(groups, options.Json);
  return kExitOk;
}

int RunShow(TCliSession& session, const TCliOptions& options) {
  if (int code = OpenDictionaries(session, options); code != kExitOk) return code;
  const TDictionaryCollection& collection = session.Collection;
  const std::int32_t index = FindEntry(collection, options.Texts[0]);
  if (index < 0) return Failure(Cp1251ToUtf8(options.Texts[0]) + ": not found");
  const TArticleItem& item = *collection.Item(index);
  std::string holders_plain, holders_json = "[";
  for (const TKivDictionary* holder : collection.Holders(index)) {
    holders_plain += (holders_plain.empty() ? "" : ", ") + holder->FileName();
    holders_json += (holders_json.size() == 1 ? "" : ", ") + JsonString(holder->FileName());
  }
  const std::vector<TField> fields = {
      TextField("word", item.Word),
      UtfField("parts", PartsText(item)),
      UtfField("number", NumberText(item)),
      TextField("description", collection.Description(index)),
      {"dictionaries", holders_json + "]", holders_plain},
  };
  PrintRaw(options.Json ? JsonOf(fields) + "\n" : PlainOf(fields));
  return kExitOk;
}

}  // namespace gryvel::cli
