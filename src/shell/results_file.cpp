#include "shell/results_file.h"

#include <memory>

#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "results/language.h"
#include "shell/shell_texts.h"

namespace gryvel {

namespace {

// Lines are built ending in LF and converted to the file's encoding at the end.
void AddLine(std::string& text, std::string_view line) { text.append(line).push_back('\n'); }

std::string Encoded(const std::string& text, TWordListEncoding encoding) {
  if (encoding == TWordListEncoding::Utf8Lf) return Cp1251ToUtf8(text);
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    if (c == '\n') crlf.push_back('\r');
    crlf.push_back(c);
  }
  return crlf;
}

void AddKindLines(std::string& text, const TResultsRequest& request) {
  switch (request.Kind) {
    case TResultKind::kPattern:
      AddLine(text, ShellText(TShellText::ResultsKindCrossword));
      AddLine(text, ShellText(TShellText::ResultsMask) + request.LastPattern);
      break;
    case TResultKind::kAnagrams:
      AddLine(text, ShellText(TShellText::ResultsKindAnagrams));
      AddLine(text, ShellText(TShellText::ResultsLetters) + request.LastAnagram);
      break;
    case TResultKind::kMeaning:
      AddLine(text, ShellText(TShellText::ResultsKindMeaning));
      // The request as typed: "pattern : clue".
      AddLine(text, ShellText(TShellText::ResultsMask) + request.LastPattern);
      break;
    case TResultKind::kPalindromes:
      AddLine(text, ShellText(TShellText::ResultsKindPalindromes));
      break;
    case TResultKind::kNone:
      break;
  }
}

}  // namespace

std::string ResultsFileText(const TResultsRequest& request,
                            const TResultSource::TEntryList& entries, TWordListEncoding encoding) {
  std::string text;
  for (int line = 0; line < kResultsBannerLines; ++line) AddLine(text, ResultsBanner(line));
  AddKindLines(text, request);
  AddLine(text, "");
  AddLine(text, "\t" + ShellText(TShellText::ResultsHeading));
  AddLine(text, "");
  for (const TArticleItem* entry : entries) AddLine(text, entry->Word);
  return Encoded(text, encoding);
}

TStatus SaveResultsFile(TFileSystem& file_system, const std::string& path,
                        const TResultSource& source, const TResultsRequest& request,
                        TWordListEncoding encoding, std::string* last_results_file) {
  TResultSource::TEntryList entries;
  source.ResultsToList(entries);
  const std::string text = ResultsFileText(request, entries, encoding);
  TStatus status;
  const std::unique_ptr<TWriteFile> file = file_system.CreateReplacing(path, &status);
  if (file != nullptr) status = file->Append(text.data(), text.size());
  if (file != nullptr && status.ok()) status = file->Commit();
  if (!status.ok()) {
    ShowMessage(TMessage{WriteFailureText(TTerm::FileNotWritten, path, status), {},
                         TMessageKind::Error, TMessageButtons::Ok});
    return status;
  }
  *last_results_file = path;
  return status;
}

}  // namespace gryvel
