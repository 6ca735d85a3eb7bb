#include "host/app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(SwitchLetter, IsTheSecondCharacterUpperCased) {
    const struct {
        const char16_t* commandLine;
        char16_t letter;
    } cases[] = {
        {u"/s", u'S'},       {u"/S", u'S'},      {u"-s", u'S'},      {u"xs", u'S'},
        {u"/c", u'C'},       {u"/c:1234", u'C'}, {u"/p 1234", u'P'}, {u"/P:99", u'P'},
        {u"/a", u'A'},       {u" /s", u'/'},  // a leading blank shifts the letter
        {u"/s extra", u'S'}, {u"", 0},           {u"/", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SwitchLetter(c.commandLine), c.letter)
            << "command line of " << std::u16string(c.commandLine).size() << " characters, letter "
            << static_cast<int>(c.letter);
    }
}

TEST(PreviewHandle, ReadsTheNumberFromTheFourthCharacterOn) {
    EXPECT_EQ(PreviewHandle(u"/p 1234"), 1234);
    EXPECT_EQ(PreviewHandle(u"/p:1234"), 1234);
    EXPECT_EQ(PreviewHandle(u"/P 65898"), 65898);
    // The fourth character is read whatever it is: with no separator the
    // handle loses its first digit.
    EXPECT_EQ(PreviewHandle(u"/p1234"), 234);
    EXPECT_EQ(PreviewHandle(u"/p 2147483647"), 2147483647);
    EXPECT_EQ(PreviewHandle(u"/p -2147483648"), -2147483647 - 1);
}

TEST(PreviewHandle, SkipsBlanksAndStopsWhereTheNumberEnds) {
    EXPECT_EQ(PreviewHandle(u"/p   1234"), 1234);
    EXPECT_EQ(PreviewHandle(u"/p 12 34"), 1234);
    EXPECT_EQ(PreviewHandle(u"/p \t1\n2"), 12);
    EXPECT_EQ(PreviewHandle(u"/p 1234x5"), 1234);
    EXPECT_EQ(PreviewHandle(u"/p 1234 /s"), 1234);
    EXPECT_EQ(PreviewHandle(u"/p +77"), 77);
    EXPECT_EQ(PreviewHandle(u"/p -77"), -77);
    EXPECT_EQ(PreviewHandle(u"/p 1e3"), 1000);
    EXPECT_EQ(PreviewHandle(u"/p 1D2"), 100);
    EXPECT_EQ(PreviewHandle(u"/p 12e"), 12);  // an exponent without digits is not read
    EXPECT_EQ(PreviewHandle(u"/p 12e+"), 12);
}

TEST(PreviewHandle, RoundsHalvesToEven) {
    EXPECT_EQ(PreviewHandle(u"/p 2.5"), 2);
    EXPECT_EQ(PreviewHandle(u"/p 3.5"), 4);
    EXPECT_EQ(PreviewHandle(u"/p 3.49"), 3);
    EXPECT_EQ(PreviewHandle(u"/p .5"), 0);
    EXPECT_EQ(PreviewHandle(u"/p -2.5"), -2);
}

TEST(PreviewHandle, IsZeroWithoutAUsableNumber) {
    EXPECT_EQ(PreviewHandle(u""), 0);
    EXPECT_EQ(PreviewHandle(u"/p"), 0);
    EXPECT_EQ(PreviewHandle(u"/p "), 0);
    EXPECT_EQ(PreviewHandle(u"/p abc"), 0);
    EXPECT_EQ(PreviewHandle(u"/p -"), 0);
    EXPECT_EQ(PreviewHandle(u"/p ."), 0);
    EXPECT_EQ(PreviewHandle(u"/p \uff11\uff12"), 0);  // full-width digits are no digits
    // Too large for 32 bits.
    EXPECT_EQ(PreviewHandle(u"/p 2147483648"), 0);
    EXPECT_EQ(PreviewHandle(u"/p -2147483649"), 0);
    EXPECT_EQ(PreviewHandle(u"/p 1e400"), 0);
}

}  // namespace
