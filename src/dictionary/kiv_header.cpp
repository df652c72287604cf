#include "dictionary/kiv_header.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/cp1251_utf8.h"
#include "dictionary/file_kind.h"
#include "dictionary/kiv_format.h"
#include "dictionary/load_job.h"

namespace gryvel {

namespace {

// Positions in the header buffer, which starts at file offset 7.
constexpr std::size_t kVersionB = 9;  // the u32 at offset 16
constexpr std::size_t kDetectSize = 13;
constexpr std::size_t kV1Texts = 54;  // offset 61: six texts with u16 lengths
constexpr std::size_t kV2Texts = 26;  // offset 33: texts with u32 lengths

// Reads length-prefixed texts from data[0, limit), refusing any that runs past the limit.
class TTextReader {
 public:
  TTextReader(const std::uint8_t* data, std::size_t limit, std::size_t pos)
      : data_(data), limit_(limit), pos_(std::min(pos, limit)), ok_(pos <= limit) {}

  bool ok() const { return ok_; }

  // `width` is 2 or 4: the size of the length field.
  void Next(std::size_t width, std::string* out) {
    if (!ok_ || limit_ - pos_ < width) {
      ok_ = false;
      return;
    }
    const std::uint64_t n = width == 2 ? LoadU16(data_ + pos_) : LoadU32(data_ + pos_);
    pos_ += width;
    if (n > limit_ - pos_) {
      ok_ = false;
      return;
    }
    out->assign(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
  }

 private:
  const std::uint8_t* data_;
  std::size_t limit_;
  std::size_t pos_;
  bool ok_;
};

bool TakeVersion1(const std::uint8_t* buffer, std::size_t limit, TDictHead& head) {
  head.Count = LoadU32(buffer);
  head.Flags = buffer[4];
  TTextReader texts(buffer, limit, kV1Texts);
  std::string skipped;
  for (std::string* text :
       {&head.Title, &head.Comments, &skipped, &head.Author, &head.Email, &head.Web})
    texts.Next(2, text);
  return texts.ok();
}

bool TakeVersion2(const std::uint8_t* buffer, std::size_t limit, TDictHead& head) {
  if (limit < kV2Texts) return false;
  head.Reserved = LoadU32(buffer + 4);
  head.Count = LoadU32(buffer + 8);
  head.Flags = buffer[12];
  std::memcpy(head.ReservedBytes.data(), buffer + 13, head.ReservedBytes.size());
  head.Language.assign(reinterpret_cast<const char*>(buffer + 23), 3);
  TTextReader texts(buffer, limit, kV2Texts);
  for (std::string* text : {&head.Title, &head.Comments, &head.Author, &head.Email, &head.Web})
    texts.Next(4, text);
  return texts.ok();
}

THeaderInfo Damaged(THeaderInfo info) {
  info.Damaged = true;
  return info;
}

}  // namespace

std::string HeaderOpenErrorText(int error, std::string_view file_name) {
  return SystemErrorText(error) + ": " + PathForMessage(file_name);
}

std::uint32_t DetectVersion(std::uint32_t a, std::uint32_t b) {
  return b == 1 && a != 2 ? 1 : a;
}

THeaderInfo ReadHeaderFrom(TReadFile& file, std::string_view file_name) {
  THeaderInfo info;
  TDictHead& head = info.Head;
  head.FileSize = file.Size();
  std::uint8_t start[7];
  const std::size_t got = file.ReadAt(0, start, sizeof start);
  const TFileClass kind = ClassifyContent(file_name, start, got, got == head.FileSize);
  if (kind.Kind == TFileKind::kRefused) {
    info.NotDictionary = true;
    return info;
  }
  if (kind.Kind == TFileKind::kWordList) return info;
  info.Binary = true;
  head.Signature = kDictSignature;
  if (got < sizeof start) return Damaged(std::move(info));

  // The header is HeadSize - 4 bytes from offset 7: in version 2 that ends where the sixth
  // text starts, in version 1 just past the body's start.
  head.HeadSize = LoadU32(start + 3);
  if (head.HeadSize < 4 + kDetectSize || head.HeadSize - 4 > kHeaderBuffer)
    return Damaged(std::move(info));
  std::vector<std::uint8_t> buffer(head.HeadSize - 4);
  const std::size_t read = file.ReadAt(7, buffer.data(), buffer.size());
  if (read < kDetectSize) return Damaged(std::move(info));

  head.Version = DetectVersion(LoadU32(buffer.data()), LoadU32(buffer.data() + kVersionB));
  bool whole = true;
  if (head.Version == 1) {
    info.Version1 = true;
    const std::size_t limit = head.HeadSize - 7;  // the texts end before the body
    whole = read >= limit && TakeVersion1(buffer.data(), limit, head);
  } else if (head.Version == 2) {
    whole = read == buffer.size() && TakeVersion2(buffer.data(), buffer.size(), head);
  }
  return whole ? info : Damaged(std::move(info));
}

}  // namespace gryvel
