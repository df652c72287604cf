#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The protection layer of dictionary files: a password, two integer keys and a compression
// switch. The one operation in use is expanding an LZSS-compressed version-1 body
// (see dictionary/lzh.h). The keys and password only carry their setter rules: no cipher is
// applied to dictionary data, so there are no enciphering operations and no bad-password event.

namespace gryvel {

// The settings the dictionary reader puts on its instance.
inline constexpr const char* kDictionaryPassword = "pRtQ;]hxmv7c";  // the longest allowed
inline constexpr std::int32_t kDictionaryMultKey = 5170293;
inline constexpr std::int32_t kDictionaryAddKey = 903517;

// Raised by the property setters and by ExpandStream.
class ECryptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Not thread-safe; an instance is meant to live for one expansion.
class TCryptLib {
 public:
  static constexpr std::size_t kMaxPasswordLength = 12;

  TCryptLib() = default;
  TCryptLib(const TCryptLib&) = delete;
  TCryptLib& operator=(const TCryptLib&) = delete;

  // Source and target file names; plain fields.
  const std::string& Infile() const { return FInfile; }
  void SetInfile(std::string value) { FInfile = std::move(value); }
  const std::string& Outfile() const { return FOutfile; }
  void SetOutfile(std::string value) { FOutfile = std::move(value); }

  const std::string& Password() const { return FPassword; }
  // A value longer than kMaxPasswordLength bytes clears the password and raises
  // "TCryptLib.Password is too long".
  void SetPassword(std::string value);

  // When false, ExpandStream does nothing.
  bool Compression() const { return FCompression; }
  void SetCompression(bool value) { FCompression = value; }

  std::int32_t AddKey() const { return FAddKey; }
  // 0 or 2147483647 sets the key to 1 and raises "TCryptLib.AddKey is too big".
  void SetAddKey(std::int32_t value);

  std::int32_t MultKey() const { return FMultKey; }
  // 0 or 2147483647 sets the key to 1 and raises "TCryptLib.MultKey is too big".
  void SetMultKey(std::int32_t value);

  // If Compression is on, replaces the whole of `stream` with the expansion of its bytes from
  // `position` on (a position past the end expands nothing). A truncated body yields what was
  // decoded. Raises "TCryptLib: LZH init error" when the decoder's buffers cannot be allocated;
  // on any exception `stream` is unchanged.
  void ExpandStream(std::vector<std::uint8_t>& stream, std::size_t position = 0) const;

 private:
  std::string FInfile;
  std::string FOutfile;
  std::string FPassword = "480213";
  bool FCompression = true;
  std::int32_t FAddKey = 9274;
  std::int32_t FMultKey = 7493;
};

}  // namespace gryvel
