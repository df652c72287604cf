#include "dictionary/file_kind.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <vector>

#include "common/ascii_case.h"
#include "common/cp1251_case.h"
#include "dictionary/dict_head.h"
#include "dictionary/text_reader.h"

namespace gryvel {

namespace {

enum TByteClass : std::uint8_t { kBlank, kWordByte, kOddByte };

// How a byte of code page text reads: blanks split runs; letters, printable ASCII and the
// typographic marks of the code page (quotes, dashes, the ellipsis, №, the no-break space)
// appear in words and texts; control bytes and the rest do not.
constexpr std::array<std::uint8_t, 256> MakeByteClasses(bool utf8) {
  std::array<std::uint8_t, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    const auto x = static_cast<std::uint8_t>(b);
    if (b == ' ' || (b >= '\t' && b <= '\r'))
      classes[x] = kBlank;
    else if ((b > ' ' && b < 0x7F) || IsLetter(x) || (utf8 && b >= 0x80))
      classes[x] = kWordByte;
    else
      classes[x] = kOddByte;
  }
  for (std::uint8_t mark : {0x82, 0x84, 0x85, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0xA0,
                            0xA7, 0xAB, 0xB0, 0xB7, 0xB9, 0xBB})
    if (!utf8) classes[mark] = kWordByte;
  return classes;
}

constexpr std::array<std::uint8_t, 256> kCodePageClasses = MakeByteClasses(false);
constexpr std::array<std::uint8_t, 256> kUtf8Classes = MakeByteClasses(true);

// The percentage of runs of non-blank bytes holding a byte no text holds. A run cut off by
// the end of a sample that is not the whole file is not counted.
int NonWordPercent(const std::uint8_t* data, std::size_t size, bool whole) {
  const std::array<std::uint8_t, 256>& classes =
      LooksLikeUtf8(data, size) ? kUtf8Classes : kCodePageClasses;
  std::size_t runs = 0;
  std::size_t odd_runs = 0;
  bool in_run = false;
  bool odd = false;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t c = classes[data[i]];
    if (c == kBlank) {
      if (in_run) {
        ++runs;
        odd_runs += odd;
      }
      in_run = odd = false;
    } else {
      in_run = true;
      odd = odd || c == kOddByte;
    }
  }
  if (in_run && whole) {
    ++runs;
    odd_runs += odd;
  }
  return runs == 0 ? 0 : static_cast<int>(odd_runs * 100 / runs);
}

TFileClass Refused(TFileRefusal refusal, int error = 0) {
  return {TFileKind::kRefused, refusal, error, 0};
}

}  // namespace

bool HasDictionaryExtension(std::string_view file_name) {
  constexpr std::string_view kExtension = ".kiv";
  return file_name.size() >= kExtension.size() &&
         EqualIgnoringAsciiCase(file_name.substr(file_name.size() - kExtension.size()), kExtension);
}

TFileClass ClassifyContent(std::string_view file_name, const std::uint8_t* data, std::size_t size,
                           bool whole) {
  if (size >= kDictSignature.size() &&
      std::string_view(reinterpret_cast<const char*>(data), kDictSignature.size()) == kDictSignature)
    return {TFileKind::kDictionary};
  if (HasDictionaryExtension(file_name)) return Refused(TFileRefusal::kNotDictionary);
  return {TFileKind::kWordList, TFileRefusal::kNone, 0, NonWordPercent(data, size, whole)};
}

TFileClass ClassifyFile(TFileSystem& files, const std::string& path) {
  int error = 0;
  const std::unique_ptr<TReadFile> file =
      files.OpenForReading(path, TReadAccess::kSequential, &error);
  if (file == nullptr) {
    if (error == ENOENT || error == ENOTDIR) return Refused(TFileRefusal::kMissing, error);
    if (error == EISDIR) return Refused(TFileRefusal::kFolder, error);
    return Refused(TFileRefusal::kUnreadable, error);
  }
  std::vector<std::uint8_t> sample(static_cast<std::size_t>(
      std::min<std::uint64_t>(file->Size(), kClassifySample)));
  const std::size_t got = file->ReadAt(0, sample.data(), sample.size());
  return ClassifyContent(path, sample.data(), got, got == file->Size());
}

}  // namespace gryvel
