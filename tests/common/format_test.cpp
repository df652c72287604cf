#include "common/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gryvel {
namespace {

class Format : public ::testing::Test {
 protected:
  void SetUp() override { SetNumberFormat({}); }
  void TearDown() override { SetNumberFormat({}); }
};

TEST_F(Format, Seconds) {
  const struct {
    double seconds;
    const char* text;
  } cases[] = {
      {0, "0"},
      {2.345, "2.345"},
      {0.0004, "0.000"},  // not exactly zero
      {0.0006, "0.001"},
      {7, "7.000"},
      {59.9994, "59.999"},
      {59.9996, "1:0.000"},  // rounding carries into the minutes
      {60, "1:0.000"},
      {65.25, "1:5.250"},
      {3599.5, "59:59.500"},
      {3723.4567, "62:3.457"},
      {-1.5, "0"},
      {std::nan(""), "0"},
      {std::numeric_limits<double>::infinity(), "16666666666:40.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(c.text, FormatSeconds(c.seconds));
  }
}

TEST_F(Format, Count) {
  const struct {
    std::int64_t n;
    const char* text;
  } cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {-1234, "-1,234"},
      {-999, "-999"},
      {1234567, "1,234,567"},
      {123456789, "123,456,789"},
      {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(c.text, FormatCount(c.n));
  }
}

// Russian separators: a comma for decimals and a non-breaking space (0xA0 in 1251).
TEST_F(Format, SeparatorsComeFromTheNumberFormat) {
  SetNumberFormat({',', "\xA0"});
  EXPECT_EQ(',', GetNumberFormat().DecimalSeparator);
  EXPECT_EQ("1:5,250", FormatSeconds(65.25));
  EXPECT_EQ("0", FormatSeconds(0));
  EXPECT_EQ(
      "-1\xA0"
      "234\xA0"
      "567",
      FormatCount(-1234567));
  SetNumberFormat({'.', ""});
  EXPECT_EQ("1234567", FormatCount(1234567));
}

}  // namespace
}  // namespace gryvel
