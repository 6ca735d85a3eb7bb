// The form toolkit's portable rules, natively: twips, the property bag and
// its conversions, fonts shared by reference, colours.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host/forms/colour.h"
#include "host/forms/font.h"
#include "host/forms/property_bag.h"
#include "host/forms/twips.h"

namespace {

using forms::PropertyValue;

TEST(Twips, RoundHalvesToEvenAndRefuseWhatDoesNotFit) {
    EXPECT_EQ(forms::TwipsFromPixels(1, 14.5), 14);
    EXPECT_EQ(forms::TwipsFromPixels(1, 15.5), 16);
    EXPECT_EQ(forms::TwipsFromPixels(-2184, 15), -32760);
    EXPECT_EQ(forms::TwipsFromPixels(-2185, 15), 0);
    EXPECT_EQ(forms::TwipsFromPixels(100, std::nan("")), 0);  // no factor to be had
    EXPECT_EQ(forms::PixelsFromTwips(1500, 0), 0);
    EXPECT_EQ(forms::PixelsFromTwips(std::nan(""), 15), 0);
    EXPECT_EQ(forms::PixelsFromTwips(1e12, 15), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(forms::PixelsFromTwips(22.5, 15), 2);  // 1.5: to even
    EXPECT_EQ(forms::PixelsFromTwips(37.5, 15), 2);  // 2.5: to even

    EXPECT_EQ(forms::PixelsFromTwips(102.5, 15), 7);
    // Each of the four on its own, across and down by their own factors.
    const forms::PixelRect rect = forms::PixelsFromTwips({0, 102.5, 1755, 195}, {15, 12});
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.width, rect.height}),
              (std::vector<int>{0, 9, 117, 16}));
}

TEST(PropertyBag, NumericTextsAndTheNumbersTheyReadAs) {
    const struct {
        const char* text;
        std::optional<double> number;
    } cases[] = {
        {"1", 1},    {" -3 ", -3}, {"+2.5", 2.5}, {"1e3", 1000}, {".5", 0.5}, {"", {}},
        {"abc", {}}, {"1x", {}},   {"- 1", {}},   {"&H10", {}},  {"nan", {}}, {"1e999", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forms::ParseNumericText(c.text), c.number) << "\"" << c.text << "\"";
    }
}

// A number and a numeric text compare as numbers; True is -1.
TEST(PropertyBag, ValuesCompareAsTheRulesSay) {
    const forms::FontDescription tahoma = {"Tahoma", 8.25};
    const struct {
        PropertyValue a, b;
        bool same;
    } cases[] = {
        {1, "1", true},
        {uint8_t{1}, " 1.0 ", true},
        {0, "0", true},
        {true, -1, true},
        {true, "-1", true},
        {false, "0", true},
        {true, true, true},
        {true, "True", false},
        {1, "01", true},
        {"1", "01", false},
        {"Command", "Command", true},
        {"Command", "Command1", false},
        {0, "", false},
        {0, "abc", false},
        {2.5, "2.5", true},
        {tahoma, tahoma, true},
        {tahoma, "Tahoma", false},
        {tahoma, forms::FontDescription{"Tahoma", 9}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forms::SameValue(c.a, c.b), c.same)
            << *forms::ToText(c.a) << " vs " << *forms::ToText(c.b);
        EXPECT_EQ(forms::SameValue(c.b, c.a), c.same);
    }
}

TEST(PropertyBag, ConversionsOfValuesReadBack) {
    EXPECT_EQ(forms::ToBoolean(" true "), true);
    EXPECT_EQ(forms::ToBoolean("FALSE"), false);
    EXPECT_EQ(forms::ToBoolean("2"), true);
    EXPECT_EQ(forms::ToBoolean(0), false);
    EXPECT_EQ(forms::ToBoolean("yes"), std::nullopt);
    EXPECT_EQ(forms::ToByte("1"), 1);
    EXPECT_EQ(forms::ToByte(255.4), 255);
    EXPECT_EQ(forms::ToByte(256), std::nullopt);
    EXPECT_EQ(forms::ToByte(-1), std::nullopt);
    EXPECT_EQ(forms::ToByte(true), std::nullopt);  // -1
    EXPECT_EQ(forms::ToInteger("2.5"), 2);
    EXPECT_EQ(forms::ToInteger("3.5"), 4);
    EXPECT_EQ(forms::ToInteger(32768), std::nullopt);
    EXPECT_EQ(forms::ToLong(int64_t{-2147483648LL}), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(forms::ToLong(int64_t{2147483648LL}), std::nullopt);
    EXPECT_EQ(forms::ToText(true), "True");
    EXPECT_EQ(forms::ToText(-7), "-7");
    EXPECT_EQ(forms::ToText(2.5), "2.5");
    const forms::FontDescription font = {"Tahoma", 14, true};
    EXPECT_EQ(forms::ToText(font), "Tahoma");
    EXPECT_EQ(forms::ToFontName(font), "Tahoma");
    EXPECT_EQ(forms::ToFontName("Arial"), "Arial");
    EXPECT_EQ(forms::ToFontName(1), std::nullopt);
}

TEST(PropertyBag, LeavesOutWhatEqualsTheDefaultAndKeepsTheOrder) {
    forms::PropertyBag bag;
    bag.WriteProperty("Enabled", false, true);
    bag.WriteProperty("Caption", "Command", "Command");
    bag.WriteProperty("FirstRun", uint8_t{1}, "1");
    bag.WriteProperty("FontColour", 255, "0");
    bag.WriteProperty("Visible", 0, "1");
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Enabled", "FontColour", "Visible"}));
    EXPECT_EQ(*forms::ToLong(bag.ReadProperty("FontColour", "0")), 255);
    EXPECT_EQ(*forms::ToText(bag.ReadProperty("Caption", "Command1")), "Command1");

    // Written again at its default, a key goes; written again otherwise, it
    // keeps its place.
    bag.WriteProperty("Enabled", true, true);
    bag.WriteProperty("Visible", 1, "1");
    bag.WriteProperty("FontColour", 7, "0");
    EXPECT_EQ(bag.Keys(), std::vector<std::string>{"FontColour"});
    EXPECT_EQ(*forms::ToLong(bag.ReadProperty("FontColour", "0")), 7);
    EXPECT_TRUE(bag.Contains("FontColour"));
    EXPECT_FALSE(bag.Contains("Enabled"));
}

// Holders share a font object; assigning by value copies the face name only.
TEST(Font, SharedByReferenceAndAssignedByValue) {
    forms::FontRef font = forms::Font::New(forms::DefaultFormFont());
    forms::FontRef holder = font;
    int heard = 0;
    const int key = font->Subscribe([&] { ++heard; });
    holder->SetSize(12);
    EXPECT_EQ(font->Size(), 12);
    EXPECT_EQ(heard, 1);
    holder->SetSize(12);  // no change, nothing to hear
    EXPECT_EQ(heard, 1);

    font->AssignByValue({"Tahoma", 8.25, true, true, true, true, forms::kDefaultCharset});
    EXPECT_EQ(heard, 2);
    forms::FontDescription expected = forms::DefaultFormFont();
    expected.name = "Tahoma";
    expected.size = 12;
    EXPECT_EQ(font->Description(), expected);

    forms::FontRef copy = font->Clone();
    copy->SetBold(true);
    EXPECT_FALSE(font->Bold());
    EXPECT_EQ(heard, 2);
    font->Unsubscribe(key);
    font->SetName("Arial");
    EXPECT_EQ(heard, 2);
}

TEST(Colour, PlainAndSystemColoursAreValid) {
    EXPECT_TRUE(forms::IsValidColour(0));
    EXPECT_TRUE(forms::IsValidColour(0x00FFFFFF));
    EXPECT_TRUE(forms::IsValidColour(forms::kButtonFace));
    EXPECT_TRUE(forms::IsValidColour(0x8000001E));
    EXPECT_FALSE(forms::IsValidColour(0x8000001F));
    EXPECT_FALSE(forms::IsValidColour(0x01000000));
    EXPECT_FALSE(forms::IsValidColour(0xFFFFFFFF));
}

}  // namespace
