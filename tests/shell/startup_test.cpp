// The footer date: read from M/D/YYYY text and written back without
// leading zeros.
#include <gtest/gtest.h>

#include "shell/startup.h"

namespace cartulon {
namespace {

TEST(CalendarDate, OnlyRealDatesOfThreeWholeNumbersAreRead) {
  EXPECT_FALSE(ParseCalendarDate("3/1").has_value());
  EXPECT_FALSE(ParseCalendarDate("a/1/2024").has_value());
  EXPECT_FALSE(ParseCalendarDate("3/1/2024x").has_value());
  EXPECT_FALSE(ParseCalendarDate("2/30/2024").has_value());
  EXPECT_FALSE(ParseCalendarDate("2/29/2023").has_value());
  EXPECT_FALSE(ParseCalendarDate("13/1/2024").has_value());
  EXPECT_FALSE(ParseCalendarDate("1/1/0").has_value());
  EXPECT_TRUE(ParseCalendarDate("2/29/2024").has_value());

  const auto date = ParseCalendarDate("07/04/2014");
  ASSERT_TRUE(date.has_value());
  EXPECT_EQ(date->month, 7);
  EXPECT_EQ(date->day, 4);
  EXPECT_EQ(date->year, 2014);
  EXPECT_EQ(DateText(*date), "7/4/2014");
}

}  // namespace
}  // namespace cartulon
