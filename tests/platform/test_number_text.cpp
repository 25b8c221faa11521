#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <version>

#include "platform/number_text.h"

namespace {

using vantrel::isPlainNumber;
using vantrel::numberToText;
using vantrel::textToNumber;

TEST(NumberToText, WritesWholeFloatsAsPlainDigits) {
  EXPECT_EQ(numberToText(24.0f), "24");
  EXPECT_EQ(numberToText(-3.0f), "-3");
  EXPECT_EQ(numberToText(99.0f), "99");
  EXPECT_EQ(numberToText(16777216.0f), "16777216");
  // Both zeros compare equal, so they must read the same in a line.
  EXPECT_EQ(numberToText(0.0f), "0");
  EXPECT_EQ(numberToText(-0.0f), "0");
}

TEST(NumberToText, WritesOtherFloatsAsShortestRoundTrip) {
  EXPECT_EQ(numberToText(0.5f), "0.5");
  EXPECT_EQ(numberToText(0.1f), "0.1");
  EXPECT_EQ(numberToText(-2.25f), "-2.25");
  EXPECT_EQ(numberToText(1e30f), "1e+30");
  EXPECT_EQ(numberToText(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(numberToText(-std::numeric_limits<float>::infinity()), "-inf");
}

TEST(NumberToText, EveryFiniteFloatReadsBackToItself) {
  std::mt19937 random(24);
  for (int i = 0; i < 200000; ++i) {
    const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (!std::isfinite(value)) continue;
    const std::string text = numberToText(value);
    ASSERT_TRUE(isPlainNumber(text)) << text;
    ASSERT_EQ(static_cast<float>(textToNumber(text)), value) << text;
  }
}

#if defined(__cpp_lib_to_chars)
// Beyond the whole numbers written out, the text is the standard library's
// shortest form (fixed or exponent notation, whichever is shorter), built
// here from {fmt}'s digits so that the WebAssembly build, whose library lacks
// it, writes the same. Random floats, and runs where the choice is close: the
// first whole floats past 2^24, around 1e-4 and around 1e14.
TEST(NumberToText, WritesWhatTheStandardLibraryWrites) {
  const auto check = [](float value) {
    if (value == 0.0f || std::isnan(value)) return;
    if (std::fabs(value) <= 16777216.0f && std::trunc(value) == value) return;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    ASSERT_EQ(numberToText(value), std::string_view(buffer, end));
  };
  std::mt19937 random(42);
  for (int i = 0; i < 1'000'000; ++i)
    check(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
  for (float start : {16777216.0f, 1e-4f, 1e14f}) {
    float value = std::nextafter(start, 0.0f);
    for (int i = 0; i < 100'000; ++i) {
      check(value);
      check(-value);
      value = std::nextafter(value, std::numeric_limits<float>::infinity());
    }
  }
}
#endif

TEST(NumberToText, WritesIntegers) {
  EXPECT_EQ(numberToText(0), "0");
  EXPECT_EQ(numberToText(62), "62");
  EXPECT_EQ(numberToText(-7), "-7");
  EXPECT_EQ(numberToText(std::numeric_limits<int>::min()), "-2147483648");
}

struct Reading {
  const char* text;
  double value;
};

// Names each case in test listings by its text, so that the names stay the
// same from one build to the next.
void PrintTo(const Reading& reading, std::ostream* os) {
  const std::string_view text = reading.text;
  *os << testing::PrintToString(std::string(text.substr(0, 24))) << (text.size() > 24 ? "..." : "");
}

class TextToNumberReads : public testing::TestWithParam<Reading> {};

TEST_P(TextToNumberReads, Value) {
  const Reading reading = GetParam();
  const double value = textToNumber(reading.text);
  if (std::isinf(reading.value)) {
    EXPECT_EQ(value, reading.value);
  } else {
    EXPECT_EQ(value, reading.value);
    EXPECT_EQ(std::signbit(value), std::signbit(reading.value)) << reading.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    PlainNumbers, TextToNumberReads,
    testing::Values(Reading{"24", 24}, Reading{"07", 7}, Reading{"+5", 5}, Reading{"-3", -3},
                    Reading{"-0", -0.0}, Reading{"0.5", 0.5}, Reading{".5", 0.5}, Reading{"5.", 5},
                    Reading{"2e1", 20}, Reading{"2E+1", 20}, Reading{"25e-1", 2.5},
                    Reading{" 12\t", 12}, Reading{"0.1", 0.1},
                    Reading{"1e400", std::numeric_limits<double>::infinity()},
                    Reading{"-1e400", -std::numeric_limits<double>::infinity()},
                    Reading{"1e-400", 0}, Reading{"-1e-400", -0.0},
                    Reading{"0.0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000001",
                            0},
                    Reading{"1000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000"
                            "0000000000000000000000000000000000000000000000000000000000000000",
                            std::numeric_limits<double>::infinity()},
                    Reading{"0e99999999999999999999", 0}));

// Anything that is not a plain decimal number reads as 0.
INSTANTIATE_TEST_SUITE_P(OtherTexts, TextToNumberReads,
                         testing::Values(Reading{"", 0}, Reading{"   ", 0}, Reading{"-", 0},
                                         Reading{"+", 0}, Reading{".", 0}, Reading{"abc", 0},
                                         Reading{"nan", 0}, Reading{"inf", 0}, Reading{"-inf", 0},
                                         Reading{"infinity", 0}, Reading{"1x", 0},
                                         Reading{"0x10", 0}, Reading{"1e", 0}, Reading{"e5", 0},
                                         Reading{"1,5", 0}, Reading{"1 2", 0}, Reading{"--1", 0},
                                         Reading{"1e+", 0}, Reading{"１２", 0}));

TEST(TextToNumber, IgnoresTheCLocale) {
  // A locale with a decimal comma must not change how "0.5" reads. The build
  // makes de_DE.UTF-8 where the system's locale sources are installed.
  int tried = 0;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    ++tried;
    EXPECT_EQ(textToNumber("0.5"), 0.5) << name;
    EXPECT_EQ(textToNumber("0,5"), 0.0) << name;
  }
  std::setlocale(LC_ALL, "C");
  if (tried == 0) GTEST_SKIP() << "no locale with a decimal comma (apt-get install locales)";
}

}  // namespace
