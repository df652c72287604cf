#include "cli/word_output.h"

#include <cstdio>

#include "cli/json_text.h"
#include "common/cp1251_utf8.h"
#include "dictionary/dictionary_collection.h"
#include "results/language.h"

namespace gryvel::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

// Collects output and hands it to stdout in large pieces.
class TOutputBuffer {
 public:
  ~TOutputBuffer() { Flush(); }
  std::string& Text() { return FText; }
  // Writes what is collected once enough has gathered.
  void Lap() {
    if (FText.size() >= kFlushSize) Flush();
  }
  void Flush() {
    std::fwrite(FText.data(), 1, FText.size(), stdout);
    FText.clear();
  }

 private:
  std::string FText;
};

std::string EntryJson(const TDictionaryCollection& collection, std::int32_t index) {
  const TArticleItem& item = *collection.Item(index);
  return JsonObject({{"word", JsonString(Cp1251ToUtf8(item.Word))},
                     {"parts", JsonString(PartsText(item))},
                     {"number", JsonString(NumberText(item))},
                     {"description", JsonString(PlainText(collection.Description(index)))}});
}

void AppendEntry(std::string& out, const TDictionaryCollection& collection, std::int32_t index,
                 TListStyle style) {
  if (style == TListStyle::Json) {
    out += "  " + EntryJson(collection, index);
    return;
  }
  out += Cp1251ToUtf8(collection.Item(index)->Word);
  if (style == TListStyle::Described) out += "\t" + OneLineText(collection.Description(index));
}

// Prints `count` items, item i written by `append`, in `style`.
template <typename TAppend>
void PrintList(std::size_t count, TListStyle style, TAppend append) {
  TOutputBuffer out;
  if (style == TListStyle::Count) {
    out.Text() = std::to_string(count) + "\n";
    return;
  }
  const bool json = style == TListStyle::Json;
  if (json) out.Text() = count == 0 ? "[" : "[\n";
  for (std::size_t i = 0; i < count; ++i) {
    append(out.Text(), i);
    out.Text() += json && i + 1 < count ? ",\n" : "\n";
    out.Lap();
  }
  if (json) out.Text() += "]\n";
}

}  // namespace

void PrintEntries(const TDictionaryCollection& collection, const std::vector<std::int32_t>& indices,
                  TListStyle style) {
  PrintList(indices.size(), style, [&](std::string& out, std::size_t i) {
    AppendEntry(out, collection, indices[i], style);
  });
}

void PrintTexts(const std::vector<std::string>& texts, TListStyle style) {
  PrintList(texts.size(), style, [&](std::string& out, std::size_t i) {
    if (style == TListStyle::Json)
      out += "  " + JsonString(Cp1251ToUtf8(texts[i]));
    else
      out += Cp1251ToUtf8(texts[i]);
  });
}

void PrintRaw(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

std::string PartsText(const TArticleItem& item) {
  return Cp1251ToUtf8(PartOfSpeechText(static_cast<std::uint8_t>(item.Parts & 0xFF), false));
}

std::string NumberText(const TArticleItem& item) {
  const bool singular = (item.Flags & kFlagSingular) != 0;
  const bool plural = (item.Flags & kFlagPlural) != 0;
  if (singular && plural) return "singular, plural";
  return singular ? "singular" : plural ? "plural" : "";
}

std::string OneLineText(std::string_view cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    if (c == '\r') continue;
    if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

std::string PlainText(std::string_view cp1251) {
  std::string utf8 = Cp1251ToUtf8(cp1251);
  std::erase(utf8, '\r');
  return utf8;
}

}  // namespace gryvel::cli
