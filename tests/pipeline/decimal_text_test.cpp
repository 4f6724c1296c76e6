#include <gtest/gtest.h>

#include "output/pipeline/decimal_text.h"

namespace corvane {
namespace {

TEST(DecimalText, ReadsTheLeadingNumberLikeOperatorsExpect) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {{"1.00", 1.0},  {"2.5", 2.5},   {" 0.25", 0.25}, {"+3", 3.0},
                        {"-1.5", -1.5}, {"2.5mm", 2.5}, {"abc", 0.0},    {"", 0.0},
                        {"1e3", 1.0},   {"nan", 0.0},   {"1,5", 1.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(decimalValue(c.text), c.value);
  }
}

TEST(DecimalText, ReadsBaudRatesAsIntegers) {
  EXPECT_EQ(integerValue("38400"), 38400);
  EXPECT_EQ(integerValue("152000"), 152000);
  EXPECT_EQ(integerValue("9600 baud"), 9600);
  EXPECT_EQ(integerValue("fast"), 0);
}

}  // namespace
}  // namespace corvane
