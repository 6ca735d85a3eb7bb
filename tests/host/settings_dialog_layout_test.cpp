// The settings dialog's layout table, natively: what the form relies on when
// it creates its controls from it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "host/resources/dialog_pictures.h"
#include "host/settings_dialog/dialog_layout.h"

namespace {

std::string Id(const ControlLayout& c) {
    return c.index < 0 ? c.name : std::string(c.name) + "(" + std::to_string(c.index) + ")";
}

TEST(DialogLayout, EachControlOnceAndFoundByNameAndIndex) {
    std::set<std::string> seen;
    for (const ControlLayout& c : DialogControls()) {
        EXPECT_TRUE(seen.insert(Id(c)).second) << Id(c) << " twice";
        EXPECT_EQ(FindControl(c.name, c.index), &c) << Id(c);
    }
    EXPECT_EQ(seen.size(), 19u);
    EXPECT_EQ(FindControl("Img_BGM"), nullptr);  // an array needs its index
    EXPECT_EQ(FindControl("Img_BGM", 3), nullptr);
    EXPECT_EQ(FindControl("Form"), nullptr);
}

// The panel is created before what it holds; everything shown lies inside its
// container (the panel's inner area, the window's 7185 x 3780), and only the
// two mark pictures lie outside the window, where nobody sees them.
TEST(DialogLayout, ControlsLieInsideTheirContainers) {
    const ControlLayout* panel = FindControl("Pic_C");
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel, &DialogControls().front());
    for (const ControlLayout& c : DialogControls()) {
        SCOPED_TRACE(Id(c));
        EXPECT_GT(c.width, 0);
        EXPECT_GT(c.height, 0);
        const bool inPanel = c.container == Container::kPanel;
        const int right = inPanel ? panel->width : kDialogInnerWidth;
        const int bottom = inPanel ? panel->height : kDialogInnerHeight;
        const bool inside =
            c.left >= 0 && c.top >= 0 && c.left + c.width <= right && c.top + c.height <= bottom;
        EXPECT_EQ(inside, std::strcmp(c.name, "Img_Ra") != 0);
    }
}

// Tab indexes 0 to 12, each once: the focusable controls in their order, the
// labels on the numbers between; images and the shape have none.
TEST(DialogLayout, TabOrder) {
    std::map<int, std::string> byTabIndex;
    for (const ControlLayout& c : DialogControls()) {
        const bool hasNone = c.kind == ControlKind::kImage || c.kind == ControlKind::kShape;
        if (hasNone) {
            EXPECT_EQ(c.tabIndex, -1) << Id(c);
            continue;
        }
        EXPECT_TRUE(byTabIndex.emplace(c.tabIndex, Id(c)).second) << "tab index " << c.tabIndex;
    }
    ASSERT_EQ(byTabIndex.size(), 13u);
    EXPECT_EQ(byTabIndex.begin()->first, 0);
    EXPECT_EQ(byTabIndex.rbegin()->first, 12);
    const std::map<int, std::string> focusable = {{1, "Pic_C"},    {2, "BGM_Repeat"},
                                                  {9, "Cmd_BGM"},  {10, "Cmd_Set"},
                                                  {11, "Cmd_Can"}, {12, "Cmd_Etc"}};
    for (const auto& [tabIndex, name] : focusable) EXPECT_EQ(byTabIndex[tabIndex], name);
}

// Labels and button captions in the Japanese P-Gothic face, black but for the
// white credit; the panel and the repeat box in the panel's Tahoma.
TEST(DialogLayout, FontsAndColours) {
    for (const ControlLayout& c : DialogControls()) {
        SCOPED_TRACE(Id(c));
        switch (c.kind) {
            case ControlKind::kLabel:
            case ControlKind::kCommandButton:
                ASSERT_NE(c.fontFace, nullptr);
                EXPECT_STREQ(c.fontFace, "ＭＳ Ｐゴシック");
                EXPECT_EQ(c.fontPoints, 9.75);
                EXPECT_EQ(c.foreColour, Id(c) == "lbl(7)" ? 0x00FFFFFFu : 0u);
                break;
            case ControlKind::kPictureBox:
            case ControlKind::kComboBox:
                ASSERT_NE(c.fontFace, nullptr);
                EXPECT_STREQ(c.fontFace, "Tahoma");
                EXPECT_EQ(c.fontPoints, 8.25);
                break;
            case ControlKind::kImage:
            case ControlKind::kShape:
                EXPECT_EQ(c.fontFace, nullptr);
                break;
        }
    }
    EXPECT_EQ(FindControl("Pic_C")->backColour, 0x00E0E0E0u);
    EXPECT_EQ(FindControl("BGM_Repeat")->backColour, 0x00FFFFFFu);
}

TEST(DialogLayout, CreditEndsWithTheVersion) {
    const std::string credit = FindControl("lbl", 7)->caption;
    const std::string version = "Ver.1.0.0";
    ASSERT_GT(credit.size(), version.size() + 1);
    EXPECT_EQ(credit.substr(credit.size() - version.size()), version);
    EXPECT_EQ(credit[credit.size() - version.size() - 1], ' ');
}

// The mark pictures sit in Img_Ra(0) (not selected) and Img_Ra(1) (selected);
// the marks Img_BGM start without one.
TEST(DialogLayout, MarkPictures) {
    EXPECT_EQ(FindControl("Img_Ra", 0)->picture, IDB_MARK_NOT_SELECTED);
    EXPECT_EQ(FindControl("Img_Ra", 1)->picture, IDB_MARK_SELECTED);
    for (const int16_t i : {0, 1, 2}) EXPECT_EQ(FindControl("Img_BGM", i)->picture, 0);
}

}  // namespace
