#include "shell/result_lines_file.h"

#include <algorithm>
#include <memory>

#include "common/cp1251_utf8.h"
#include "common/message_sink.h"
#include "results/language.h"

namespace gryvel {

namespace {

// Millions of results are written in blocks of this many, never as one text.
constexpr std::int32_t kBlock = 4096;

}  // namespace

void AppendResultLines(const TResultList& results, std::int32_t first, std::int32_t last,
                       std::string& out) {
  for (std::int32_t i = first; i <= last; ++i) out.append(results.Text(i)).push_back('\n');
}

TStatus SaveResultLines(TFileSystem& file_system, const std::string& path,
                        const TResultList& results) {
  TStatus status;
  const std::unique_ptr<TWriteFile> file = file_system.CreateReplacing(path, &status);
  std::string block;
  const std::int32_t count = results.Count();
  for (std::int32_t first = 0; file != nullptr && status.ok() && first < count; first += kBlock) {
    block.clear();
    AppendResultLines(results, first, std::min(count, first + kBlock) - 1, block);
    const std::string utf8 = Cp1251ToUtf8(block);
    status = file->Append(utf8.data(), utf8.size());
  }
  if (file != nullptr && status.ok()) status = file->Commit();
  if (!status.ok())
    ShowMessage(TMessage{WriteFailureText(TTerm::FileNotWritten, path, status), {},
                         TMessageKind::Error, TMessageButtons::Ok});
  return status;
}

}  // namespace gryvel
