#include "dictionary/text_writer.h"

#include <memory>
#include <string_view>

#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

// Bytes gathered before each write: few system calls, bounded memory.
constexpr std::size_t kFlushSize = 200'000;

}  // namespace

TStatus WriteWordList(const TArticleList& entries, const std::string& path,
                      TWordListEncoding encoding, TFileSystem* file_system) {
  TFileSystem& files = file_system != nullptr ? *file_system : PosixFileSystem();
  TStatus status;
  const std::unique_ptr<TWriteFile> out = files.CreateReplacing(path, &status);
  if (out == nullptr) return status;
  const bool utf8 = encoding == TWordListEncoding::Utf8Lf;
  const std::string_view line_end = utf8 ? "\n" : "\r\n";
  std::string buffer;
  buffer.reserve(kFlushSize + 4096);
  for (const TArticleItem* item : entries.Items()) {
    if (utf8)
      buffer += Cp1251ToUtf8(item->Word);
    else
      buffer += item->Word;
    buffer += line_end;
    if (buffer.size() >= kFlushSize) {
      if (status = out->Append(buffer.data(), buffer.size()); !status.ok()) return status;
      buffer.clear();
    }
  }
  if (status = out->Append(buffer.data(), buffer.size()); !status.ok()) return status;
  return out->Commit();
}

}  // namespace gryvel
