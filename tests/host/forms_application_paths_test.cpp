#include "host/forms/application_paths.h"

#include <gtest/gtest.h>

#include "host/forms/code_page.h"

namespace {

TEST(FolderOfProgramPath, DropsTheFileNameAndTheBackslash) {
    EXPECT_EQ(FolderOfProgramPath(u"C:\\Windows\\System32\\Glintra.scr"), u"C:\\Windows\\System32");
    EXPECT_EQ(FolderOfProgramPath(u"\\\\server\\share\\Glintra.scr"), u"\\\\server\\share");
    // A folder whose name ends in a character that, in code page 932, ends in
    // a 0x5C byte.
    EXPECT_EQ(FolderOfProgramPath(u"C:\\\u8868\\Glintra.scr"), u"C:\\\u8868");
}

TEST(FolderOfProgramPath, KeepsTheBackslashOfADriveRoot) {
    EXPECT_EQ(FolderOfProgramPath(u"C:\\Glintra.scr"), u"C:\\");
    EXPECT_EQ(FolderOfProgramPath(u"Glintra.scr"), u"");
}

TEST(ArgumentsOfCommandLine, DropTheProgramAndOneBlank) {
    const struct {
        const char16_t* commandLine;
        const char16_t* arguments;
    } cases[] = {
        {u"\"C:\\Program Files\\Glintra.scr\" /s", u"/s"},
        {u"\"C:\\Program Files\\Glintra.scr\"  /s", u" /s"},  // the second blank stays
        {u"\"C:\\Program Files\\Glintra.scr\"/s", u"/s"},
        {u"\"C:\\Program Files\\Glintra.scr\"", u""},
        {u"\"C:\\Program Files\\Glintra.scr\" ", u""},
        {u"C:\\Glintra.scr /c:1234", u"/c:1234"},
        {u"C:\\Glintra.scr\t/p 99", u"/p 99"},
        {u"C:\\Glintra.scr", u""},
        {u"Glintra /s /extra  text", u"/s /extra  text"},
        {u"\"unclosed /s", u""},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArgumentsOfCommandLine(c.commandLine), c.arguments);
    }
}

// The flags that make a conversion into the ANSI code page exact without
// failing: Windows refuses any but WC_ERR_INVALID_CHARS, and a used-default
// pointer, for UTF-8, and any at all for UTF-7 and its like (Wine takes
// them, so only this shows it).
TEST(ExactConversionFor, GivesEachCodePageFlagsItTakes) {
    const struct {
        unsigned codePage;
        unsigned flags;
        bool reportsDefaultUsed;
    } cases[] = {
        {932, forms::kNoBestFitChars, true},   {1252, forms::kNoBestFitChars, true},
        {936, forms::kNoBestFitChars, true},   {65001, forms::kErrInvalidChars, false},
        {65000, 0, false},                     {42, 0, false},
        {50220, 0, false},                     {50229, 0, false},
        {57002, 0, false},                     {57011, 0, false},
        {50219, forms::kNoBestFitChars, true}, {57012, forms::kNoBestFitChars, true},
    };
    for (const auto& c : cases) {
        const forms::ExactConversion how = forms::ExactConversionFor(c.codePage);
        EXPECT_EQ(how.flags, c.flags) << c.codePage;
        EXPECT_EQ(how.reportsDefaultUsed, c.reportsDefaultUsed) << c.codePage;
    }
}

}  // namespace
