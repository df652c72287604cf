#include "dictionary/crypt_lib.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "dictionary/lzh.h"

namespace gryvel {

namespace {

bool IsBadKey(std::int32_t value) {
  return value == 0 || value == std::numeric_limits<std::int32_t>::max();
}

}  // namespace

void TCryptLib::SetPassword(std::string value) {
  if (value.size() > kMaxPasswordLength) {
    FPassword.clear();
    throw ECryptError("TCryptLib.Password is too long");
  }
  FPassword = std::move(value);
}

void TCryptLib::SetAddKey(std::int32_t value) {
  FAddKey = IsBadKey(value) ? 1 : value;
  if (IsBadKey(value)) throw ECryptError("TCryptLib.AddKey is too big");
}

void TCryptLib::SetMultKey(std::int32_t value) {
  FMultKey = IsBadKey(value) ? 1 : value;
  if (IsBadKey(value)) throw ECryptError("TCryptLib.MultKey is too big");
}

void TCryptLib::ExpandStream(std::vector<std::uint8_t>& stream, std::size_t position) const {
  if (!FCompression) return;
  position = std::min(position, stream.size());
  std::vector<std::uint8_t> expanded;
  // The decoder allocates its buffers before it first reads; a failure before then is the
  // decoder's, a later one is the output's and passes through as it is.
  bool started = false;
  const lzh::TReadFn read = [&](std::uint8_t* buffer, std::size_t capacity) {
    started = true;
    const std::size_t size = std::min(capacity, stream.size() - position);
    if (size != 0) std::memcpy(buffer, stream.data() + position, size);
    position += size;
    return size;
  };
  const lzh::TWriteFn write = [&](const std::uint8_t* data, std::size_t size) {
    expanded.insert(expanded.end(), data, data + size);
  };
  try {
    lzh::Decode(read, write);
  } catch (const std::bad_alloc&) {
    if (started) throw;
    throw ECryptError("TCryptLib: LZH init error");
  }
  stream = std::move(expanded);
}

}  // namespace gryvel
