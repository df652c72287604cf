#include "dictionary/kiv_writer.h"

#include <cstring>
#include <limits>
#include <string_view>

#include "dictionary/kiv_format.h"

namespace gryvel {

namespace {

constexpr std::size_t kFlushAbove = 200'000;

class TOutput {
 public:
  explicit TOutput(TWriteFile& out) : out_(out) { bytes_.reserve(kFlushAbove + kReadChunk); }

  std::size_t size() const { return bytes_.size(); }
  std::uint64_t offset() const { return flushed_ + bytes_.size(); }

  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    std::uint8_t b[4];
    StoreU32(b, v);
    bytes_.insert(bytes_.end(), b, b + 4);
  }
  void Bytes(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  // `s` in exactly `n` bytes, cut or padded with zero bytes.
  void Fixed(std::string_view s, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) U8(k < s.size() ? static_cast<std::uint8_t>(s[k]) : 0);
  }
  void Text(std::string_view s) {
    U32(static_cast<std::uint32_t>(s.size()));
    Bytes(s);
  }
  // Overwrites the u32 at buffer position `at`.
  void Patch(std::size_t at, std::uint32_t v) { StoreU32(bytes_.data() + at, v); }

  TStatus Flush() {
    if (bytes_.empty()) return TStatus::Ok();
    TStatus status = out_.Append(bytes_.data(), bytes_.size());
    flushed_ += bytes_.size();
    bytes_.clear();
    return status;
  }
  TStatus FlushIfFull() { return bytes_.size() > kFlushAbove ? Flush() : TStatus::Ok(); }

 private:
  TWriteFile& out_;
  std::vector<std::uint8_t> bytes_;
  std::uint64_t flushed_ = 0;
};

TStatus SaveError(const std::string& what) {
  return TStatus::Error(what + ". Error in saving procedure");
}

TStatus WriteHeader(const TDictHead& head, std::int32_t count, TOutput& out,
                    TWrittenKiv2* written) {
  out.Bytes(kDictSignature);
  out.U32(0);  // HeadSize, patched below
  out.U32(2);
  out.U32(head.Reserved);
  out.U32(static_cast<std::uint32_t>(count));
  out.U8(head.Flags);
  for (std::uint8_t b : head.ReservedBytes) out.U8(b);
  out.Fixed(head.Language, 3);
  for (const std::string* text :
       {&head.Title, &head.Comments, &head.Author, &head.Email, &head.Web})
    out.Text(*text);
  out.Text((head.Flags & kHeadSixthText) ? std::string_view(head.Sixth) : std::string_view());
  // The reader takes HeadSize - 4 bytes into its header buffer.
  const std::size_t head_size = out.size() - 7;
  if (head_size - 4 > kHeaderBuffer) return SaveError("The dictionary properties are too long");
  out.Patch(3, static_cast<std::uint32_t>(head_size));
  written->HeadSize = static_cast<std::uint32_t>(head_size);
  // The reserved block.
  out.U32(4);
  out.U32(0);
  return TStatus::Ok();
}

std::uint8_t NumberFlags(std::uint16_t flags) {
  std::uint8_t b = 0;
  if (flags & kFlagPlural) b |= kRecordPlural;
  if (flags & kFlagSingular) b |= kRecordSingular;
  return b;
}

}  // namespace

TStatus CheckWritable(const TArticleList& entries) {
  for (std::int32_t i = 0; i < entries.Count(); ++i) {
    const std::string& word = entries.Get(i)->Word;
    if (word.size() > kMaxWordLength)
      return SaveError("The word \"" + word.substr(0, 40) + "...\" is longer than " +
                       std::to_string(kMaxWordLength) + " letters");
  }
  return TStatus::Ok();
}

TStatus WriteKiv2(const TDictHead& head, const TArticleList& entries,
                  const TDescriptionSource& describe, TWriteFile& out, TWrittenKiv2* written) {
  if (TStatus status = CheckWritable(entries); !status.ok()) return status;
  const std::int32_t count = entries.Count();
  written->Offsets.assign(count, 0);
  written->Described.assign(count, false);
  TOutput buffer(out);
  if (TStatus status = WriteHeader(head, count, buffer, written); !status.ok()) return status;

  std::string description;
  for (std::int32_t i = 0; i < count; ++i) {
    const TArticleItem& item = *entries.Get(i);
    if (TStatus status = describe(i, &description); !status.ok()) return status;
    const std::uint64_t size =
        kRecordFixedSize + item.Word.size() + (description.empty() ? 0 : 4 + description.size());
    if (size > kReadChunk) return SaveError("The description of \"" + item.Word + "\" is too long");
    const std::uint64_t offset = buffer.offset();
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
      return SaveError("The dictionary is too large");
    buffer.U32(static_cast<std::uint32_t>(size));
    buffer.U8(description.empty() ? 0 : kRecordHasDescription);
    buffer.U8(NumberFlags(item.Flags));
    buffer.U16(item.Parts);
    buffer.Text(item.Word);
    if (!description.empty()) buffer.Text(description);
    written->Offsets[i] = static_cast<std::int32_t>(offset);
    written->Described[i] = !description.empty();
    if (TStatus status = buffer.FlushIfFull(); !status.ok()) return status;
  }
  written->FileSize = buffer.offset();
  return buffer.Flush();
}

}  // namespace gryvel
