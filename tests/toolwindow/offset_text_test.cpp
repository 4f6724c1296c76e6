#include "toolwindow/contour/offset_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane::toolwindow {
namespace {

TEST(OffsetText, ReadsTheNumberAtTheStartLikeADecimalLiteral) {
  struct Case {
    const char* text;
    double number;
  };
  const Case cases[] = {
      {"2.75", 2.75},   {" 1 2 . 5 mm", 12.5},
      {"\t-\r\n1", -1}, {"+3", 3},
      {".5", 0.5},      {"7.", 7},
      {"1.2.3", 1.2},   {"2e1", 20},
      {"2E-1x", 0.2},   {"2 e +1", 20},
      {"2e", 2},        {"2e+", 2},
      {"abc", 0},       {"", 0},
      {"-", 0},         {".", 0},
      {"1,5", 1},       {"1e999", 0},
      {"--1", 0},       {"0.1", 0.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadOffsetNumber(c.text), c.number);
  }
}

TEST(OffsetText, FormatsOneDecimalWithHalvesAwayFromZero) {
  struct Case {
    double offset;
    const char* text;
  };
  const Case cases[] = {
      {1.25, "1.3"},  {2.75, "2.8"},   {1.0, "1.0"},     {0.0, "0.0"},
      {-1.0, "-1.0"}, {-1.25, "-1.3"}, {0.05, "0.1"},    {0.04, "0.0"},
      {-0.04, "0.0"}, {9.95, "10.0"},  {99.99, "100.0"}, {150, "150.0"},
      {0.15, "0.2"},  {1.2499, "1.2"}, {12.5, "12.5"},   {1234567.85, "1234567.9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatOffset(c.offset), c.text);
  }
}

TEST(OffsetText, ScrollPositionRoundsHalvesToEvenWithinTheRange) {
  struct Case {
    double offset;
    std::optional<std::int32_t> position;
  };
  const double infinity = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {1.25, -12}, {1.35, -14},    {2.75, -28},     {1.0, -10},      {0.05, 0},
      {0.051, -1}, {100.0, -1000}, {100.04, -1000}, {100.05, -1000}, {100.06, {}},
      {-0.04, 0},  {-0.1, {}},     {1e300, {}},     {infinity, {}},  {0.0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(ScrollPositionOf(c.offset, -1000, 0), c.position);
  }
}

}  // namespace
}  // namespace corvane::toolwindow
