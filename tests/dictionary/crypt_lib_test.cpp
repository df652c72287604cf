#include "dictionary/crypt_lib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/lzss_encoder.h"

namespace gryvel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The text of the ECryptError `action` raises, or "" when it raises none.
std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const ECryptError& e) {
    return e.what();
  }
  return "";
}

Bytes B(const char* s) {
  return Bytes(s, s + std::strlen(s));
}

Bytes Compressed(const Bytes& data) {
  return testing::LzssEncode(data.data(), data.size());
}

TEST(CryptLibTest, Defaults) {
  const TCryptLib crypt;
  EXPECT_EQ("", crypt.Infile());
  EXPECT_EQ("", crypt.Outfile());
  EXPECT_EQ("480213", crypt.Password());
  EXPECT_TRUE(crypt.Compression());
  EXPECT_EQ(9274, crypt.AddKey());
  EXPECT_EQ(7493, crypt.MultKey());
}

TEST(CryptLibTest, PasswordOfTwelveCharactersIsAccepted) {
  TCryptLib crypt;
  EXPECT_EQ("", ErrorText([&] { crypt.SetPassword(kDictionaryPassword); }));
  EXPECT_EQ(kDictionaryPassword, crypt.Password());
  EXPECT_EQ("", ErrorText([&] { crypt.SetPassword(""); }));
  EXPECT_EQ("", crypt.Password());
}

TEST(CryptLibTest, PasswordOfThirteenCharactersIsRefusedAndCleared) {
  TCryptLib crypt;
  EXPECT_EQ("TCryptLib.Password is too long",
            ErrorText([&] { crypt.SetPassword("1234567890123"); }));
  EXPECT_EQ("", crypt.Password());
}

TEST(CryptLibTest, KeyRules) {
  using Setter = void (TCryptLib::*)(std::int32_t);
  using Getter = std::int32_t (TCryptLib::*)() const;
  const struct {
    Setter set;
    Getter get;
    const char* error;
  } kKeys[] = {
      {&TCryptLib::SetAddKey, &TCryptLib::AddKey, "TCryptLib.AddKey is too big"},
      {&TCryptLib::SetMultKey, &TCryptLib::MultKey, "TCryptLib.MultKey is too big"},
  };
  for (const auto& key : kKeys) {
    for (std::int32_t bad : {0, 2147483647}) {
      TCryptLib crypt;
      EXPECT_EQ(key.error, ErrorText([&] { (crypt.*key.set)(bad); })) << bad;
      EXPECT_EQ(1, (crypt.*key.get)()) << key.error << " " << bad;
    }
    for (std::int32_t good : {1, -1, 2147483646, -2147483647 - 1, kDictionaryAddKey}) {
      TCryptLib crypt;
      EXPECT_EQ("", ErrorText([&] { (crypt.*key.set)(good); })) << good;
      EXPECT_EQ(good, (crypt.*key.get)()) << key.error;
    }
  }
}

TEST(CryptLibTest, ExpandStreamReplacesTheContent) {
  const Bytes body = B("across and down, clue after clue, across and down");
  Bytes stream = Compressed(body);
  TCryptLib crypt;
  crypt.ExpandStream(stream);
  EXPECT_EQ(body, stream);
}

TEST(CryptLibTest, ExpandStreamFromAPosition) {
  const Bytes body = B("grid grid grid grid");
  const Bytes header = B("HEAD");
  Bytes stream = header;
  const Bytes compressed = Compressed(body);
  stream.insert(stream.end(), compressed.begin(), compressed.end());

  TCryptLib crypt;
  crypt.ExpandStream(stream, header.size());
  EXPECT_EQ(body, stream) << "the bytes before the position are dropped";

  Bytes past_end = header;
  crypt.ExpandStream(past_end, 100);
  EXPECT_TRUE(past_end.empty());
}

TEST(CryptLibTest, ExpandStreamOfNothingIsNothing) {
  Bytes stream;
  TCryptLib crypt;
  crypt.ExpandStream(stream);
  EXPECT_TRUE(stream.empty());
}

TEST(CryptLibTest, ExpandStreamWithoutCompressionLeavesTheStream) {
  const Bytes original = Compressed(B("letters letters letters"));
  Bytes stream = original;
  TCryptLib crypt;
  crypt.SetCompression(false);
  crypt.ExpandStream(stream);
  EXPECT_EQ(original, stream);
  crypt.ExpandStream(stream, 3);
  EXPECT_EQ(original, stream);
}

TEST(CryptLibTest, ExpandStreamWithTheDictionarySettings) {
  TCryptLib crypt;
  crypt.SetPassword(kDictionaryPassword);
  crypt.SetMultKey(kDictionaryMultKey);
  crypt.SetAddKey(kDictionaryAddKey);
  const Bytes body(300000, 'a');
  Bytes stream = Compressed(body);
  crypt.ExpandStream(stream);
  EXPECT_EQ(body, stream) << "the keys and password do not touch the data";
}

}  // namespace
}  // namespace gryvel
