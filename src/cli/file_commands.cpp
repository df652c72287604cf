#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/tsv_import.h"
#include "common/cp1251_utf8.h"
#include "dictionary/file_io.h"
#include "dictionary/text_writer.h"

namespace gryvel::cli {

namespace {

// The header of `dictionary` with the texts the options give; a dictionary that comes from a
// word list gets a language guessed from its words unless one is given.
void ApplyHeader(TKivDictionary& dictionary, const THeaderTexts& texts) {
  TDictHead head = dictionary.Head();
  if (dictionary.Kind() != TDictKind::kBinary) head.Language = GuessLanguage(dictionary.Entries());
  const std::pair<const std::optional<std::string>*, std::string*> fields[] = {
      {&texts.Title, &head.Title},   {&texts.Comments, &head.Comments},
      {&texts.Author, &head.Author}, {&texts.Email, &head.Email},
      {&texts.Web, &head.Web},       {&texts.Language, &head.Language},
  };
  for (const auto& [given, field] : fields)
    if (*given) *field = **given;
  dictionary.SetHeader(head);
}

// The whole of file `path`, or false after printing why it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes) {
  int error = 0;
  const std::unique_ptr<TReadFile> file =
      PosixFileSystem().OpenForReading(path, TReadAccess::kSequential, &error);
  if (file == nullptr || !PosixFileSystem().FileExists(path)) {
    PrintError("cannot open '" + path + "': " +
               (file == nullptr ? Cp1251ToUtf8(SystemErrorText(error)) : "it is a directory"));
    return false;
  }
  bytes->resize(file->Size());
  if (file->ReadAt(0, bytes->data(), bytes->size()) != bytes->size()) {
    PrintError("cannot read '" + path + "'");
    return false;
  }
  return true;
}

// Saves `dictionary` as a version-2 file, saying why a save fails.
int Save(TKivDictionary& dictionary, const std::string& path) {
  const TStatus status = dictionary.SaveToFile(path);
  if (!status.ok()) PrintEngineError(status.message());
  return status.ok() ? kExitOk : kExitFailure;
}

}  // namespace

int RunConvert(TCliSession& session, const TCliOptions& options) {
  const std::string& in = options.Paths[0];
  const std::string& out = options.Paths[1];
  if (int code = AddDictionaries(session, {in}); code != kExitOk) return code;
  TKivDictionary& dictionary = *session.Collection.Dictionary(0);
  if (int code = LoadDictionaries(session, {&dictionary}, false); code != kExitOk) return code;
  if (options.TextOutput) {
    const TStatus status = WriteWordList(dictionary.Entries(), out, TWordListEncoding::Utf8Lf);
    if (!status.ok()) PrintEngineError(status.message());
    return status.ok() ? kExitOk : kExitFailure;
  }
  ApplyHeader(dictionary, options.Header);
  return Save(dictionary, out);
}

// The session is needed only for its character manager, which sets the word order.
int RunImport(TCliSession& /*session*/, const TCliOptions& options) {
  const std::string& in = options.Paths[0];
  std::string text;
  if (!ReadWholeFile(in, &text)) return kExitFailure;
  std::vector<TImportEntry> entries;
  if (const TStatus status = ParseTsv(text, &entries); !status.ok())
    return Failure(in + ": " + status.message());
  text = std::string();
  SortAndMerge(entries);
  TKivDictionary dictionary;
  FillDictionary(dictionary, entries);
  entries = {};
  ApplyHeader(dictionary, options.Header);
  return Save(dictionary, options.Paths[1]);
}

}  // namespace gryvel::cli
