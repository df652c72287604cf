#include "shell/dictionary_commands.h"

#include <filesystem>
#include <system_error>

#include "dictionary/kiv_dictionary.h"

namespace gryvel {

namespace {

bool Binary(const TKivDictionary& dictionary) { return dictionary.Kind() == TDictKind::kBinary; }

// The path as the file system resolves it; the lexical form when it cannot be resolved.
std::filesystem::path Resolved(const std::string& path) {
  std::error_code error;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  if (error) return std::filesystem::path(path).lexically_normal();
  return resolved;
}

// The first dictionary but `except` whose file is `path`, however the path is spelt.
TKivDictionary* UserOf(const TDictionaryCollection& collection, const TKivDictionary* except,
                       const std::string& path) {
  if (path.empty()) return nullptr;
  const std::filesystem::path wanted = Resolved(path);
  std::error_code error;
  for (std::int32_t i = 0; i < collection.DictionaryCount(); ++i) {
    TKivDictionary* dictionary = collection.Dictionary(i);
    const std::string& file = dictionary->FileName();
    if (dictionary == except || file.empty()) continue;
    if (Resolved(file) == wanted || std::filesystem::equivalent(file, path, error))
      return dictionary;
  }
  return nullptr;
}

}  // namespace

bool TakesEntries(const TKivDictionary& dictionary) {
  return Binary(dictionary) && (dictionary.Head().Flags & (kHeadReadOnly | kHeadProtected)) == 0;
}

std::vector<TKivDictionary*> EntryDictionaries(const TDictionaryCollection& collection) {
  std::vector<TKivDictionary*> result;
  for (std::int32_t i = 0; i < collection.DictionaryCount(); ++i)
    if (TakesEntries(*collection.Dictionary(i))) result.push_back(collection.Dictionary(i));
  return result;
}

bool CanMakeActive(const TDictionaryCollection& collection, const TKivDictionary& dictionary) {
  return Binary(dictionary) && (dictionary.Head().Flags & kHeadReadOnly) == 0 &&
         collection.Active() != &dictionary;
}

bool HasProperties(const TKivDictionary& dictionary) { return Binary(dictionary); }

TKivDictionary* ActiveHolderOf(const TDictionaryCollection& collection, std::int32_t index) {
  TKivDictionary* active = collection.Active();
  if (active == nullptr || !active->Connected() || index < 0 || index >= collection.Count())
    return nullptr;
  for (TKivDictionary* holder : collection.Holders(index))
    if (holder == active) return active;
  return nullptr;
}

TKivDictionary* FindOpenDictionary(const TDictionaryCollection& collection,
                                   const std::string& path) {
  return UserOf(collection, nullptr, path);
}

TKivDictionary* OtherDictionaryUsing(const TDictionaryCollection& collection,
                                     const TKivDictionary& dictionary, const std::string& path) {
  return UserOf(collection, &dictionary, path);
}

bool WriteProtected(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::is_regular_file(status)) return false;
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & kWrite) == fs::perms::none;
}

std::string FilterExtension(std::string_view pipe_filter, int index) {
  std::size_t start = 0;
  for (int field = 0; field <= 2 * index + 1; ++field) {
    const std::size_t bar = pipe_filter.find('|', start);
    const std::string_view text = pipe_filter.substr(start, bar - start);
    if (field == 2 * index + 1) {
      const std::string_view pattern = text.substr(0, text.find(';'));
      const std::size_t dot = pattern.rfind('.');
      if (dot == std::string_view::npos) return {};
      const std::string_view extension = pattern.substr(dot + 1);
      if (extension.find_first_of("*?") != std::string_view::npos) return {};
      return std::string(extension);
    }
    if (bar == std::string_view::npos) return {};
    start = bar + 1;
  }
  return {};
}

std::string WithDefaultExtension(const std::string& path, std::string_view extension) {
  if (extension.empty() || path.empty() || path.back() == '/') return path;
  const std::size_t slash = path.rfind('/');
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  // A leading dot marks a hidden file, not an extension.
  if (name.find('.', 1) != std::string_view::npos && name.back() != '.') return path;
  std::string result = path;
  if (result.back() != '.') result += '.';
  return result += extension;
}

TDictionaryFields FieldsOf(const TDictHead& head) {
  return {head.Title, head.Comments, head.Author,
          head.Web.empty() ? std::string(kWebPlaceholder) : head.Web,
          head.Email.empty() ? std::string(kEmailPlaceholder) : head.Email};
}

TDictHead WithFields(TDictHead head, const TDictionaryFields& fields) {
  head.Title = fields.Title;
  head.Comments = fields.Comments;
  head.Author = fields.Author;
  head.Web = fields.Web == kWebPlaceholder ? std::string() : fields.Web;
  head.Email = fields.Email == kEmailPlaceholder ? std::string() : fields.Email;
  return head;
}

std::string WebTarget(std::string_view web) {
  if (web.empty() || web == kWebPlaceholder) return {};
  return std::string(web);
}

std::string MailTarget(std::string_view email) {
  if (email == kEmailPlaceholder || email.find('@') == std::string_view::npos) return {};
  return "mailto:" + std::string(email);
}

}  // namespace gryvel
