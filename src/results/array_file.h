#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "common/status.h"
#include "dictionary/file_io.h"

// Arrays of plain values stored as their count (8 bytes) followed by their bytes as they lie
// in memory. For files a machine writes and reads back itself, such as caches: nothing here
// converts byte order or checks what the values mean.

namespace gryvel {

// Appends arrays to a file; the first failure is kept and later writes do nothing.
class TArrayWriter {
 public:
  explicit TArrayWriter(TWriteFile& file) : FFile(file) {}

  // `values`: a std::vector of plain values or a std::string.
  template <typename Array>
  void Write(const Array& values) {
    static_assert(std::is_trivially_copyable_v<typename Array::value_type>);
    const std::uint64_t count = values.size();
    Append(&count, sizeof count);
    Append(values.data(), values.size() * sizeof(typename Array::value_type));
  }
  const TStatus& Status() const { return FStatus; }

 private:
  void Append(const void* data, std::size_t size) {
    if (FStatus.ok() && size > 0) FStatus = FFile.Append(data, size);
  }

  TWriteFile& FFile;
  TStatus FStatus;
};

// Reads arrays TArrayWriter wrote, in the same order.
class TArrayReader {
 public:
  explicit TArrayReader(TReadFile& file) : FFile(file), FSize(file.Size()) {}

  // Replaces *values with the next array; false, *values unchanged, when the file ends first
  // (a count larger than what is left is never allocated).
  template <typename Array>
  bool Read(Array* values) {
    using T = typename Array::value_type;
    static_assert(std::is_trivially_copyable_v<T>);
    std::uint64_t count = 0;
    if (!Bytes(&count, sizeof count) || count > (FSize - FOffset) / sizeof(T)) return false;
    Array read;
    read.resize(static_cast<std::size_t>(count));
    if (!Bytes(read.data(), read.size() * sizeof(T))) return false;
    *values = std::move(read);
    return true;
  }
  // True when every byte has been read.
  bool AtEnd() const { return FOffset == FSize; }

 private:
  bool Bytes(void* data, std::size_t size) {
    if (size > FSize - FOffset || FFile.ReadAt(FOffset, data, size) != size) return false;
    FOffset += size;
    return true;
  }

  TReadFile& FFile;
  const std::uint64_t FSize;
  std::uint64_t FOffset = 0;
};

}  // namespace gryvel
