#include "common/status.h"

#include <gtest/gtest.h>

namespace gryvel {
namespace {

TEST(Status, OkCarriesNoMessage) {
  const TStatus status = TStatus::Ok();
  EXPECT_TRUE(status.ok());
  EXPECT_EQ("", status.message());
}

TEST(Status, ErrorKeepsMessageThroughCopyAndMove) {
  const TStatus error = TStatus::Error("Bad pattern");
  TStatus copy = error;
  EXPECT_FALSE(copy.ok());
  EXPECT_EQ("Bad pattern", copy.message());
  TStatus moved = std::move(copy);
  EXPECT_EQ("Bad pattern", moved.message());
  moved = TStatus::Ok();
  EXPECT_TRUE(moved.ok());
  moved = error;
  EXPECT_EQ("Bad pattern", moved.message());
  EXPECT_EQ("Bad pattern", error.message());
}

TEST(Status, EmptyErrorMessageIsStillAnError) {
  EXPECT_FALSE(TStatus::Error("").ok());
}

}  // namespace
}  // namespace gryvel
