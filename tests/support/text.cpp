#include "support/text.h"

#include <gtest/gtest.h>

#include "common/cp1251_utf8.h"

namespace gryvel::testing {

std::string Cp(std::string_view utf8) {
  std::string out;
  const TStatus status = Utf8ToCp1251(utf8, &out);
  EXPECT_TRUE(status.ok()) << status.message();
  return out;
}

std::string Utf(std::string_view cp1251) { return Cp1251ToUtf8(cp1251); }

}  // namespace gryvel::testing
