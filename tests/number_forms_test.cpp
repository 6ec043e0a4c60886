#include "extract/number_forms.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

using namespace modalyx;

namespace {

std::string fixed(double v, int width, int decimals) {
  char out[FORM_SIZE];
  int n = format_fixed(out, v, width, decimals);
  EXPECT_EQ(n, static_cast<int>(std::strlen(out)));
  return out;
}

std::string exp4(double v) {
  char out[FORM_SIZE];
  format_exp(out, v, 10, 4);
  return out;
}

std::string whole(long long v) {
  char out[FORM_SIZE];
  format_whole(out, v);
  return out;
}

#define EXPECT_FIXED(expected, value, width, decimals) EXPECT_EQ(expected, fixed(value, width, decimals)) << #value
#define EXPECT_EXP(expected, value) EXPECT_EQ(expected, exp4(value)) << #value

}  // namespace

TEST(NumberForms, FixedPoint) {
  EXPECT_FIXED("   12.50", 12.5, 8, 2);
  EXPECT_FIXED("    0.13", 0.125, 8, 2);  // a tie rounds away from zero
  EXPECT_FIXED("   -0.13", -0.125, 8, 2);
  EXPECT_FIXED("    2.67", 2.675, 8, 2);  // 2.6749999999999998 in 17 digits
  EXPECT_FIXED("    1.00", 0.995, 8, 2);  // 0.99500000000000000 in 17 digits
  EXPECT_FIXED("    0.04", 0.045, 8, 2);
  EXPECT_FIXED("    0.00", 0.0, 8, 2);
  EXPECT_FIXED("   -0.00", -0.001, 8, 2);
  EXPECT_FIXED("    0.00", 1e-20, 8, 2);
  EXPECT_FIXED("    1.00", 0.999, 8, 2);  // carry into a new integer digit
  EXPECT_FIXED("  999.99", 999.994, 8, 2);
  EXPECT_FIXED(" 1000.00", 999.995, 8, 2);
  EXPECT_FIXED("123456789.00", 123456789.0, 8, 2);  // wider than the field
  EXPECT_FIXED("   25.5000", 25.5, 10, 4);
  EXPECT_FIXED("1234567.8900", 1234567.89, 10, 4);
  EXPECT_FIXED("     386.040", 386.04, 12, 3);
  EXPECT_FIXED("       0.035", 9.013320E-05 * 386.04, 12, 3);
  EXPECT_FIXED("100000000000000000000.00", 1e20, 8, 2);
  EXPECT_FIXED("99999999999999992000000.00", 1e23, 8, 2);  // only 17 digits are significant
  EXPECT_FIXED("     inf", HUGE_VAL, 8, 2);
  EXPECT_FIXED("      -inf", -HUGE_VAL, 10, 4);
  EXPECT_EQ("17976931348623157" + std::string(292, '0') + ".0000", fixed(1.7976931348623157e308, 10, 4));
}

TEST(NumberForms, ExponentHasThreeDigits) {
  EXPECT_EXP("3.8600e+000", 0.01 * 386);
  EXPECT_EXP("0.0000e+000", 0.0);
  EXPECT_EXP("-0.0000e+000", -0.0);
  EXPECT_EXP("-1.2346e-005", -1.23456e-5);
  EXPECT_EXP("1.2500e-001", 0.125);
  EXPECT_EXP("1.0000e+001", 9.99995);  // carry moves the exponent
  EXPECT_EXP("1.0001e+000", 1.00005);
  EXPECT_EXP("1.0000e-300", 1e-300);
  EXPECT_EXP("1.7977e+308", 1.7976931348623157e308);
  EXPECT_EXP("4.9407e-324", 5e-324);  // smallest subnormal
  EXPECT_EXP("       inf", HUGE_VAL);
  EXPECT_EQ("1.2346e+000", exp4(1.234565));
}

TEST(NumberForms, WholeNumbers) {
  EXPECT_EQ("0", whole(0));
  EXPECT_EQ("-17", whole(-17));
  EXPECT_EQ("9223372036854775807", whole(LLONG_MAX));
  EXPECT_EQ("-9223372036854775808", whole(LLONG_MIN));
}

#ifdef __GLIBC__
// glibc converts exactly; the 17 digits must agree with it for any double.
TEST(NumberForms, SeventeenDigitsAgreeWithAnExactConversion) {
  std::mt19937_64 random(20071708);
  for (int i = 0; i < 200000; ++i) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v) || v == 0) continue;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.16e", std::fabs(v));
    char digits[17];
    int exponent = 0;
    decimal_digits(v, digits, &exponent);
    char got[64];
    std::snprintf(got, sizeof got, "%c.%.16se%c%02d", digits[0], digits + 1, exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    ASSERT_STREQ(expected, got) << v;
  }
}
#endif

TEST(NumberReading, WordValues) {
  struct Case {
    const char *word;
    double value;
  } cases[] = {
      {"1.5E+02", 150},
      {"1.5D+02", 150},
      {"1.5d2", 150},
      {"1.5e-1", 0.15},
      {"1.5E", 1.5},
      {"1.5E+", 1.5},
      {"-.5", -0.5},
      {"+5", 5},
      {"5.", 5},
      {".", 0},
      {"abc", 0},
      {"0x1A", 0},
      {"inf", 0},
      {"nan", 0},
      {"12abc", 12},
      {"-", 0},
      {"1.0E-999", 0},
      {"3", 3},
      {"1.068719E+01", 10.68719},
      {"1.2345678901234567E+05", 123456.78901234567},
  };
  for (const Case &c : cases) EXPECT_EQ(c.value, word_number(c.word)) << c.word;
  EXPECT_EQ(HUGE_VAL, word_number("1.0E+999"));
  EXPECT_EQ(-HUGE_VAL, word_number("-1.0D+999"));
  EXPECT_TRUE(std::signbit(word_number("-1.0E-999")));
}

TEST(NumberReading, ExponentLettersAndEnds) {
  double v = -1;
  const char *text = "  1.5D+02 rest";
  EXPECT_EQ(text + 5, read_number(text, &v, false));  // D is not an exponent here
  EXPECT_EQ(1.5, v);
  EXPECT_EQ(text + 9, read_number(text, &v, true));
  EXPECT_EQ(150, v);
  EXPECT_EQ(nullptr, read_number("  E+02", &v, false));
}

TEST(NumberReading, WholeNumbers) {
  long long v = 0;
  const char *text = " -12 ";
  EXPECT_EQ(text + 4, read_whole(text, &v));
  EXPECT_EQ(-12, v);
  ASSERT_NE(nullptr, read_whole("99999999999999999999", &v));
  EXPECT_EQ(LLONG_MAX, v);
  ASSERT_NE(nullptr, read_whole("-99999999999999999999", &v));
  EXPECT_EQ(-LLONG_MAX, v);
  const char *decimal = "1.5";
  EXPECT_EQ(decimal + 1, read_whole(decimal, &v));
  EXPECT_EQ(nullptr, read_whole("+", &v));
  EXPECT_EQ(nullptr, read_whole("x1", &v));
}
