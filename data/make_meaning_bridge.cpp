// Makes the meaning bridge file out of English–Russian dictionaries in the dictd layout.
// Usage: make_meaning_bridge OUT NOTE INDEX TEXT [INDEX TEXT]...
// NOTE: a UTF-8 file naming the sources and their licence, kept in the bridge; INDEX, TEXT:
// a dictd index and its uncompressed entries.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/cp1251_utf8.h"
#include "dictionary/file_io.h"
#include "results/bridge_entry.h"
#include "results/dictd_index.h"
#include "results/meaning_bridge_writer.h"

namespace {

bool ReadWhole(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  *text = bytes.str();
  return static_cast<bool>(in);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_meaning_bridge: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || argc % 2 == 0)
    return Fail("usage: make_meaning_bridge OUT NOTE INDEX TEXT [INDEX TEXT]...");
  std::string note_utf8, note;
  if (!ReadWhole(argv[2], &note_utf8)) return Fail(std::string("cannot read ") + argv[2]);
  if (const gryvel::TStatus status = gryvel::Utf8ToCp1251(note_utf8, &note); !status.ok())
    return Fail(std::string(argv[2]) + ": " + status.message());

  gryvel::TMeaningBridgeWriter writer;
  std::vector<gryvel::TBridgeTranslation> translations;
  for (int i = 3; i < argc; i += 2) {
    std::string index, entries;
    if (!ReadWhole(argv[i], &index)) return Fail(std::string("cannot read ") + argv[i]);
    if (!ReadWhole(argv[i + 1], &entries)) return Fail(std::string("cannot read ") + argv[i + 1]);
    const gryvel::TStatus status = gryvel::ForEachDictdEntry(
        index, entries, [&](std::string_view headword, std::string_view entry) {
          gryvel::ParseBridgeEntry(entry, &translations);
          if (!translations.empty()) writer.Add(headword, translations);
        });
    if (!status.ok()) return Fail(std::string(argv[i]) + ": " + status.message());
  }

  gryvel::TStatus status;
  const auto out = gryvel::PosixFileSystem().CreateReplacing(argv[1], &status);
  if (!out) return Fail(status.message());
  status = writer.Write(note, *out);
  if (status.ok()) status = out->Commit();
  if (!status.ok()) return Fail(status.message());
  return 0;
}
