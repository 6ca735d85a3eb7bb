// The settings file's number and path rules, natively.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "host/settings/settings_conversion.h"

namespace {

struct NumberCase {
    const char* text;
    std::optional<int16_t> expected;  // nothing: the conversion fails
};

std::ostream& operator<<(std::ostream& out, const NumberCase& c) {
    return out << '"' << c.text << '"';
}

class ParseIniNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseIniNumberTest, ConvertsOrFails) {
    EXPECT_EQ(ParseIniNumber(GetParam().text), GetParam().expected);
}

constexpr std::nullopt_t kFails = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    WholeNumbersAndBlanks, ParseIniNumberTest,
    ::testing::Values(NumberCase{"1", 1}, NumberCase{" 1", 1}, NumberCase{"1 ", 1},
                      NumberCase{"\t 2\t ", 2}, NumberCase{"+1", 1}, NumberCase{"-3", -3},
                      NumberCase{"0", 0}, NumberCase{"-0", 0}, NumberCase{"007", 7},
                      NumberCase{"32767", 32767}, NumberCase{"-32768", -32768},
                      NumberCase{"32768", kFails}, NumberCase{"-32769", kFails},
                      NumberCase{"40000", kFails}, NumberCase{"99999", kFails},
                      NumberCase{"100000", kFails}, NumberCase{"000000000000000000000000012", 12}));

// Rounding is always down, also for negative numbers and at the range's ends.
INSTANTIATE_TEST_SUITE_P(
    FractionsRoundDown, ParseIniNumberTest,
    ::testing::Values(NumberCase{"1.7", 1}, NumberCase{"1.0", 1}, NumberCase{"-0.5", -1},
                      NumberCase{"-1.0", -1}, NumberCase{"-1.000001", -2}, NumberCase{".5", 0},
                      NumberCase{"-.5", -1}, NumberCase{"5.", 5}, NumberCase{"0.999", 0},
                      NumberCase{"32767.9", 32767}, NumberCase{"32767.99999999999999999", 32767},
                      NumberCase{"-32767.5", -32768}, NumberCase{"-32768.0", -32768},
                      NumberCase{"-32768.5", kFails}, NumberCase{"-0.0000", 0}));

INSTANTIATE_TEST_SUITE_P(Exponents, ParseIniNumberTest,
                         ::testing::Values(NumberCase{"1e3", 1000}, NumberCase{"1E+2", 100},
                                           NumberCase{"25e-1", 2}, NumberCase{"-25e-1", -3},
                                           NumberCase{"3.2767e4", 32767},
                                           NumberCase{"3.2768e4", kFails},
                                           NumberCase{"1e5", kFails}, NumberCase{"1e400", kFails},
                                           NumberCase{"1e-400", 0}, NumberCase{"-1e-400", -1},
                                           NumberCase{"0e99999999999999999999", 0},
                                           NumberCase{"1e99999999999999999999", kFails},
                                           NumberCase{"1e-99999999999999999999", 0},
                                           NumberCase{"1e", kFails}, NumberCase{"1e+", kFails},
                                           NumberCase{"e3", kFails}, NumberCase{"1d3", kFails}));

INSTANTIATE_TEST_SUITE_P(
    HexAndOctal, ParseIniNumberTest,
    ::testing::Values(NumberCase{"&H10", 16}, NumberCase{"&h1f", 31}, NumberCase{" &H7FFF ", 32767},
                      NumberCase{"&H8000", kFails}, NumberCase{"&HFFFF", kFails},
                      NumberCase{"&HFFFFFFFFFFFFFFFFFFFF", kFails}, NumberCase{"&O17", 15},
                      NumberCase{"&o77777", 32767}, NumberCase{"&O8", kFails},
                      NumberCase{"&H", kFails}, NumberCase{"&H1G", kFails},
                      NumberCase{"-&H10", kFails}, NumberCase{"&B1", kFails},
                      NumberCase{"&", kFails}, NumberCase{"0x10", kFails}));

// Text that Windows would read by the user's regional settings, or not at all.
INSTANTIATE_TEST_SUITE_P(
    NoNumber, ParseIniNumberTest,
    ::testing::Values(NumberCase{"", kFails}, NumberCase{" ", kFails}, NumberCase{"abc", kFails},
                      NumberCase{"1x", kFails}, NumberCase{"x1", kFails}, NumberCase{"1 2", kFails},
                      NumberCase{"- 1", kFails}, NumberCase{"--1", kFails},
                      NumberCase{"+-1", kFails}, NumberCase{"1-", kFails},
                      NumberCase{"(1)", kFails}, NumberCase{"1,5", kFails},
                      NumberCase{"1,000", kFails}, NumberCase{"1.2.3", kFails},
                      NumberCase{".", kFails}, NumberCase{"+", kFails}, NumberCase{"$1", kFails},
                      NumberCase{"\x82\x50", kFails} /* full-width 1 in code page 932 */,
                      NumberCase{"inf", kFails}, NumberCase{"nan", kFails},
                      NumberCase{"1\r", kFails}));

// The decimal reading on its own: no number and out of range told apart,
// and each rounding at its edges.
TEST(ReadDecimalWholeNumber, StatusAndRounding) {
    using R = WholeNumberReading;
    constexpr Rounding kDown = Rounding::kDown, kEven = Rounding::kHalfToEven;
    const struct {
        const char* text;
        Rounding rounding;
        R::Status status;
        int16_t value;
    } cases[] = {
        // clang-format off
        {"2.5", kDown, R::kNumber, 2}, {"2.5", kEven, R::kNumber, 2}, {"3.5", kDown, R::kNumber, 3},
        {"3.5", kEven, R::kNumber, 4}, {"-2.5", kDown, R::kNumber, -3}, {"-2.5", kEven, R::kNumber, -2},
        {"2.500001", kEven, R::kNumber, 3}, {"0.0005e3", kEven, R::kNumber, 0},
        {"0.0015e3", kEven, R::kNumber, 2}, {"-0.05", kEven, R::kNumber, 0},
        {"32767.5", kDown, R::kNumber, 32767}, {"32767.5", kEven, R::kOutOfRange, 0},
        {"-32768.5", kDown, R::kOutOfRange, 0}, {"-32768.5", kEven, R::kNumber, -32768},
        {"1e9", kEven, R::kOutOfRange, 0}, {"abc", kDown, R::kNotANumber, 0},
        {"", kEven, R::kNotANumber, 0}, {"&H10", kDown, R::kNotANumber, 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        const R reading = ReadDecimalWholeNumber(c.text, c.rounding);
        EXPECT_EQ(reading.status, c.status) << c.text;
        EXPECT_EQ(reading.value, c.value) << c.text;
    }
}

TEST(FormatIniNumber, BlankBeforeNonNegativeMinusBeforeNegative) {
    const struct {
        int16_t value;
        const char* text;
    } cases[] = {{0, " 0"},  {2, " 2"},         {7, " 7"},
                 {-3, "-3"}, {32767, " 32767"}, {-32768, "-32768"}};
    for (const auto& c : cases) EXPECT_EQ(FormatIniNumber(c.value), c.text) << c.value;
}

// Whatever a setting holds survives being written and read back.
TEST(FormatIniNumber, EveryValueReadsBackUnchanged) {
    for (int value = -32768; value <= 32767; ++value) {
        const auto setting = static_cast<int16_t>(value);
        ASSERT_EQ(ParseIniNumber(FormatIniNumber(setting)), setting) << value;
    }
}

TEST(LimitIniName, CutsAt127Bytes) {
    EXPECT_EQ(LimitIniName("Section"), "Section");
    EXPECT_EQ(LimitIniName(std::string(127, 'k')), std::string(127, 'k'));
    EXPECT_EQ(LimitIniName(std::string(128, 'k')), std::string(127, 'k'));
    EXPECT_EQ(LimitIniName(std::string(300, 'k')), std::string(127, 'k'));
}

bool IsCodePage932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; }
bool NoLeadBytes(unsigned char) { return false; }

struct PathCase {
    const char* text;
    bool endsWithBackslash932;
    bool endsWithBackslashSingleByte;
};

TEST(EndsWithBackslash, TellsBackslashFromSecondByte) {
    const PathCase cases[] = {
        {"", false, false},
        {"\\", true, true},
        {"C:\\", true, true},
        {"C:\\Music", false, false},
        {"C:\\Music\\", true, true},
        {"C:\\\x83\x5C", false, true},          // "C:\ソ": 5C is the second byte of ソ
        {"C:\\\x83\x5C\\", true, true},         // "C:\ソ\"
        {"C:\\\x83\x5C\x83\x5C", false, true},  // "C:\ソソ"
        {"C:\\\xB1\\", true, true},             // half-width ｱ is one byte, then a backslash
        {"\x83", false, false},                 // a lone lead byte at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EndsWithBackslash(c.text, IsCodePage932LeadByte), c.endsWithBackslash932)
            << c.text;
        EXPECT_EQ(EndsWithBackslash(c.text, NoLeadBytes), c.endsWithBackslashSingleByte) << c.text;
    }
}

TEST(SettingsFilePathIn, JoinsWithOneBackslash) {
    const struct {
        const char* folder;
        const char* path;
    } cases[] = {
        {"C:\\Windows\\System32", "C:\\Windows\\System32\\Glintra.ini"},
        {"C:\\", "C:\\Glintra.ini"},
        {"\\\\server\\share", "\\\\server\\share\\Glintra.ini"},
        {"C:\\\x83\x5C", "C:\\\x83\x5C\\Glintra.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsFilePathIn(c.folder, IsCodePage932LeadByte), c.path) << c.folder;
    }
}

}  // namespace
