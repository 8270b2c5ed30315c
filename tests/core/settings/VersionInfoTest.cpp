#include <gtest/gtest.h>

#include "wizard/VersionInfo.h"

TEST(VersionInfo, TextIsMajorDotMinorOrUnknown) {
  EXPECT_EQ(VersionText(TVersionNumbers{2, 4, 0, 1}), "2.4");
  EXPECT_EQ(VersionText(TVersionNumbers{10, 12, 7, 300}), "10.12");
  EXPECT_EQ(VersionText(TVersionNumbers{0, 0, 0, 1}), "0.0");  // known as long as one part is set
  EXPECT_EQ(VersionText(TVersionNumbers{0, 0, 0, 0}), "Unknown");
  EXPECT_EQ(VersionText(std::nullopt), "Unknown");
}

TEST(VersionInfo, ProgramVersionComesFromTheBuild) {
  const auto numbers = ProgramVersionNumbers();
  ASSERT_TRUE(numbers.has_value());
  EXPECT_EQ(numbers->Release, 0);
  EXPECT_EQ(numbers->Build, 1);
  EXPECT_EQ(ProgramVersionText(), "2.4");
}
