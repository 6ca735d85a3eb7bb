// The decimal reader's own syntaxes and conversions at their edges; the
// callers' tests cover the readings they use, the differential fuzzer the rest.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "host/forms/decimal_number.h"

namespace {

using namespace forms;

constexpr DecimalSyntax kDefault = {};
constexpr DecimalSyntax kPrefix = {DecimalExponent::kE, DecimalBlanks::kAround,
                                   DecimalExtent::kPrefix};
constexpr DecimalSyntax kCommandLine = {DecimalExponent::kEOrD, DecimalBlanks::kAnywhere,
                                        DecimalExtent::kPrefix};
constexpr DecimalSyntax kNoExponent = {DecimalExponent::kNone};
constexpr DecimalSyntax kAnywhereWhole = {DecimalExponent::kE, DecimalBlanks::kAnywhere};

DecimalNumber Scanned(const char* text) { return ScanDecimal(text, kDefault).value(); }

TEST(ScanDecimal, ReadsDigitsPointAndLengthBySyntax) {
    const struct {
        const char* text;
        DecimalSyntax syntax;
        bool read;
        bool negative;
        const char* digits;
        int64_t pointPosition;
        size_t length;
    } cases[] = {
        {"0012.3400", kDefault, true, false, "1234", 2, 9},
        {"-0.005", kDefault, true, true, "5", -2, 6},
        {"-0", kDefault, true, true, "", 0, 2},
        {"1200 ", kDefault, true, false, "12", 4, 4},
        {"1e99999999999999999999", kDefault, true, false, "1", 1000000000000000001, 22},
        {"1e3x", kPrefix, true, false, "1", 4, 3},
        {"12e+x", kPrefix, true, false, "12", 2, 2},
        {"1 2", kPrefix, true, false, "1", 1, 1},
        {"1d3", kPrefix, true, false, "1", 1, 1},
        {"1 d 3", kCommandLine, true, false, "1", 4, 5},
        {" - 1 2 . 5 e - 1 ", kAnywhereWhole, true, true, "125", 1, 16},
        {"1\n2", kAnywhereWhole, true, false, "12", 2, 3},
        {"1e3", kNoExponent, false, false, "", 0, 0},
        {"1\n2", kDefault, false, false, "", 0, 0},
        {"\n1", kDefault, false, false, "", 0, 0},
        {"-", kCommandLine, false, false, "", 0, 0},
    };
    for (const auto& c : cases) {
        const std::optional<DecimalNumber> number = ScanDecimal(c.text, c.syntax);
        ASSERT_EQ(number.has_value(), c.read) << c.text;
        if (!number) continue;
        EXPECT_EQ(number->negative, c.negative) << c.text;
        EXPECT_EQ(number->digits, c.digits) << c.text;
        EXPECT_EQ(number->pointPosition, c.pointPosition) << c.text;
        EXPECT_EQ(number->length, c.length) << c.text;
    }
    // A UTF-16 unit is a digit only when it is one whole, not by its low byte.
    EXPECT_FALSE(ScanDecimal(u"\u0131", kDefault));
    EXPECT_EQ(ScanDecimal(u"7\u0137", kPrefix)->length, 1u);
}

TEST(ToDouble, RoundsToNearestAndRefusesWhatNoDoubleHolds) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"9007199254740993", 9007199254740992.0},  // a tie, to even
        {"9007199254740993.000000000000000000001", 9007199254740994.0},
        {"1.7976931348623157e308", DBL_MAX},
        {"1.8e308", std::nullopt},
        {"2.4703282292062328e-324", 4.9406564584124654e-324},
        {"2.4703282292062327e-324", std::nullopt},
        {"0e999999", 0.0},
    };
    for (const auto& c : cases) EXPECT_EQ(ToDouble(Scanned(c.text)), c.value) << c.text;
    EXPECT_TRUE(std::signbit(ToDouble(Scanned("-0")).value()));
}

TEST(ToWholeNumber, RoundsExactlyAtTheRangesEnds) {
    constexpr Rounding kDown = Rounding::kDown, kEven = Rounding::kHalfToEven;
    const struct {
        const char* text;
        Rounding rounding;
        int64_t min, max;
        std::optional<int64_t> value;
    } cases[] = {
        {"9223372036854775807.5", kDown, INT64_MIN, INT64_MAX, INT64_MAX},
        {"9223372036854775807.5", kEven, INT64_MIN, INT64_MAX, std::nullopt},
        {"-9223372036854775808.5", kEven, INT64_MIN, INT64_MAX, INT64_MIN},
        {"-9223372036854775808.5", kDown, INT64_MIN, INT64_MAX, std::nullopt},
        {"99999999999999999999", kDown, INT64_MIN, INT64_MAX, std::nullopt},
        {"2147483647.4999999999999", kEven, INT32_MIN, INT32_MAX, INT32_MAX},
        {"-0.4", kEven, 0, 255, 0},
        {"-0.4", kDown, 0, 255, std::nullopt},
        {"-1e-99999999999999999999", kDown, -1, 0, -1},
        {"1.5e-1", kEven, -1, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToWholeNumber(Scanned(c.text), c.rounding, c.min, c.max), c.value) << c.text;
    }
}

}  // namespace
