#include "host/forms/application_paths.h"

#include <gtest/gtest.h>

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

}  // namespace
