#include "dictionary/lzh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/lzss_encoder.h"

namespace gryvel {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct TDecoded {
  Bytes output;
  std::vector<std::size_t> pieces;  // sizes of the write calls
};

// Decodes `input`, handing it to the decoder at most `chunk` bytes per read.
TDecoded DecodeAll(const Bytes& input, std::size_t chunk = lzh::kBufferSize) {
  TDecoded decoded;
  std::size_t at = 0;
  lzh::Decode(
      [&](std::uint8_t* buffer, std::size_t capacity) {
        const std::size_t size = std::min({chunk, capacity, input.size() - at});
        if (size != 0) std::memcpy(buffer, input.data() + at, size);
        at += size;
        return size;
      },
      [&](const std::uint8_t* data, std::size_t size) {
        decoded.output.insert(decoded.output.end(), data, data + size);
        decoded.pieces.push_back(size);
      });
  return decoded;
}

Bytes Encode(const Bytes& data) {
  return testing::LzssEncode(data.data(), data.size());
}

Bytes RandomBytes(std::size_t size, unsigned seed, int alphabet = 256) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, alphabet - 1);
  Bytes data(size);
  for (auto& b : data) b = static_cast<std::uint8_t>(byte(random));
  return data;
}

// Words from a small vocabulary: long matches, many references across the ring's wrap.
Bytes RepetitiveText(std::size_t size, unsigned seed) {
  static const char* const kWords[] = {"cross", "word",   "clue ", "grid",   "across ",
                                       "down ", "letter", " ",     "solver", "\n"};
  std::mt19937 random(seed);
  Bytes text;
  while (text.size() < size) {
    const char* word = kWords[random() % std::size(kWords)];
    text.insert(text.end(), word, word + std::strlen(word));
  }
  text.resize(size);
  return text;
}

Bytes B(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

TEST(LzhTest, EmptyInputWritesNothing) {
  const TDecoded decoded = DecodeAll({});
  EXPECT_TRUE(decoded.output.empty());
  EXPECT_TRUE(decoded.pieces.empty());
}

TEST(LzhTest, HandMadeStreams) {
  const struct {
    const char* name;
    Bytes input;
    Bytes expected;
  } kCases[] = {
      {"eight literals", {0xFF, 'c', 'r', 'o', 's', 's', 'w', 'r', 'd'}, B("crosswrd")},
      {"short final group", {0x07, 'a', 'b', 'c'}, B("abc")},
      {"second group", {0xFF, '1', '2', '3', '4', '5', '6', '7', '8', 0x01, '9'}, B("123456789")},
      // The ring starts as zeros: a reference before any output copies zero bytes.
      {"reference into the fresh ring", {0x00, 0x12, 0x34}, Bytes(7, 0)},
      {"longest reference", {0x00, 0x00, 0x0F}, Bytes(18, 0)},
      // Literals land at ring position 4078 = 0xFEE; a reference to it of length 6 overlaps
      // the bytes it writes.
      {"overlapping reference", {0x07, 'a', 'b', 'c', 0xEE, 0xF3}, B("abcabcabc")},
      {"reference between literals", {0x0D, 'x', 0xEE, 0xF0, 'y', 'z'}, B("xxxxyz")},
      // 16 literals fill 4078..4093; a reference to 4092 of length 6 reads and writes across
      // the ring's end.
      {"reference across the ring's end",
       {0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g',  'h',  0xFF, 'i',
        'j',  'k', 'l', 'm', 'n', 'o', 'p', 0x00, 0xFC, 0xF3},
       B("abcdefghijklmnopopopop")},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.expected, DecodeAll(c.input).output) << c.name;
  }
}

TEST(LzhTest, TruncatedStreamYieldsThePrefix) {
  // Eight literals; then literal 'a' (at ring position 4086 = 0xFF6), a reference to it of
  // length 3, literal 'b'.
  const Bytes stream = {0xFF, '1', '2', '3', '4', '5', '6', '7', '8', 0x05, 'a', 0xF6, 0xF0, 'b'};
  const struct {
    std::size_t cut;
    const char* expected;
  } kCases[] = {
      {1, ""},  // after the first flag byte
      {9, "12345678"},
      {10, "12345678"},  // after the second flag byte
      {11, "12345678a"},
      {12, "12345678a"},  // inside a reference
      {13, "12345678aaaa"},
      {14, "12345678aaaab"},
  };
  for (const auto& c : kCases) {
    const Bytes input(stream.begin(), stream.begin() + c.cut);
    EXPECT_EQ(B(c.expected), DecodeAll(input).output) << "cut at " << c.cut;
  }
}

TEST(LzhTest, EveryPrefixOfAnEncodedStreamDecodesToAPrefix) {
  const Bytes data = RepetitiveText(3000, 7);
  const Bytes stream = Encode(data);
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    const Bytes output = DecodeAll(Bytes(stream.begin(), stream.begin() + cut)).output;
    ASSERT_LE(output.size(), data.size());
    ASSERT_TRUE(std::equal(output.begin(), output.end(), data.begin())) << "cut at " << cut;
  }
}

TEST(LzhTest, RoundTrips) {
  const struct {
    const char* name;
    Bytes data;
  } kCases[] = {
      {"one byte", {0x42}},
      {"zeros", Bytes(10000, 0)},
      {"random", RandomBytes(20000, 1)},
      {"random over a small alphabet", RandomBytes(50000, 2, 4)},
      {"repetitive text", RepetitiveText(100000, 3)},
  };
  for (const auto& c : kCases) {
    const Bytes stream = Encode(c.data);
    EXPECT_EQ(c.data, DecodeAll(stream).output) << c.name;
  }
  EXPECT_LT(Encode(RepetitiveText(100000, 3)).size(), 50000u) << "the encoder finds matches";
}

TEST(LzhTest, LongOutputArrivesWholeInBoundedPieces) {
  const Bytes data = RepetitiveText(2 * lzh::kBufferSize + 12345, 4);
  const Bytes stream = Encode(data);
  ASSERT_LT(stream.size(), lzh::kBufferSize);
  const TDecoded decoded = DecodeAll(stream);
  EXPECT_EQ(data, decoded.output);
  EXPECT_EQ((std::vector<std::size_t>{lzh::kBufferSize, lzh::kBufferSize, 12345}), decoded.pieces);
}

TEST(LzhTest, LongInputReadInAnyChunks) {
  // Incompressible: the stream is longer than one input buffer.
  const Bytes data = RandomBytes(lzh::kBufferSize + 50000, 5);
  const Bytes stream = Encode(data);
  ASSERT_GT(stream.size(), lzh::kBufferSize);
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{4099}, lzh::kBufferSize}) {
    const TDecoded decoded = DecodeAll(stream, chunk);
    EXPECT_EQ(data, decoded.output) << "chunk " << chunk;
    EXPECT_TRUE(std::all_of(decoded.pieces.begin(), decoded.pieces.end(),
                            [](std::size_t n) { return n > 0 && n <= lzh::kBufferSize; }));
  }
}

TEST(LzhTest, OutputOfExactlyOneBufferIsOneWrite) {
  const Bytes data = RepetitiveText(lzh::kBufferSize, 6);
  const TDecoded decoded = DecodeAll(Encode(data));
  EXPECT_EQ(data, decoded.output);
  EXPECT_EQ(std::vector<std::size_t>{lzh::kBufferSize}, decoded.pieces);
}

}  // namespace
}  // namespace gryvel
