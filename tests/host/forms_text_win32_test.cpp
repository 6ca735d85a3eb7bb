// The strict conversion to the ANSI code page, through the system's own
// tables under Wine. ctest runs it with code page 932 and with 1252.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/forms/text_win32.h"

namespace {

using forms::AnsiFromWide;

constexpr std::nullopt_t kCannot = std::nullopt;

struct Case {
    const wchar_t* text;
    std::optional<std::string> cp932;
    std::optional<std::string> cp1252;
};

// What each code page holds exactly, and what it holds only as a look-alike
// (in brackets: what Windows' best fit would give instead).
const Case kCases[] = {
    {L"", "", ""},
    {L"C:\\Glintra", "C:\\Glintra", "C:\\Glintra"},
    {L"\u8868", "\x95\x5C", kCannot},          // 表, whose second byte is a backslash
    {L"\uFF76", "\xB6", kCannot},              // half-width ｶ
    {L"\uFF5E", "\x81\x60", kCannot},          // full-width tilde ("~")
    {L"Glintr\u00E9", kCannot, "Glintr\xE9"},  // é ("e")
    {L"a\u00A5b", kCannot,
     "a\xA5"
     "b"},                          // the yen sign (a backslash under 932)
    {L"\u2212", kCannot, kCannot},  // the minus sign ("-")
    {L"\uD55C", kCannot, kCannot},  // Hangul, in neither
    {L"C:\\\u8868\\a\u00A5b", kCannot, kCannot},
};

TEST(AnsiFromWide, GivesTheExactBytesOrNothingNeverALookAlike) {
    const UINT codePage = GetACP();
    ASSERT_TRUE(codePage == 932 || codePage == 1252) << "code page " << codePage;
    for (const Case& c : kCases) {
        const std::optional<std::string>& expected = codePage == 932 ? c.cp932 : c.cp1252;
        EXPECT_EQ(AnsiFromWide(c.text), expected)
            << "text of " << std::wstring(c.text).size() << " characters, first U+" << std::hex
            << (c.text[0] != 0 ? static_cast<unsigned>(c.text[0]) : 0u);
    }
}

TEST(AnsiFromWide, RefusesALoneSurrogate) {
    const wchar_t lone[] = {L'a', static_cast<wchar_t>(0xD800), L'b', 0};
    EXPECT_EQ(AnsiFromWide(lone), kCannot);
}

TEST(AnsiFromWide, KeepsEmbeddedNulls) {
    EXPECT_EQ(AnsiFromWide(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
