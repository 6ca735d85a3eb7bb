// The settings dialog's layout table, natively: what the form relies on when
// it creates its controls from it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

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
    EXPECT_EQ(FindControl("kindMarks"), nullptr);  // an array needs its index
    EXPECT_EQ(FindControl("kindMarks", 3), nullptr);
    EXPECT_EQ(FindControl("Form"), nullptr);
}

// The panel is created before what it holds; everything shown lies inside its
// container (the panel's inner area, the window's 7185 x 3780), and only the
// two mark pictures lie outside the window, where nobody sees them.
TEST(DialogLayout, ControlsLieInsideTheirContainers) {
    const ControlLayout* panel = FindControl("panel");
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
        EXPECT_EQ(inside, std::strcmp(c.name, "markPictures") != 0);
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
    const std::map<int, std::string> focusable = {{1, "panel"},         {2, "repeatBox"},
                                                  {9, "chooseButton"},  {10, "setButton"},
                                                  {11, "cancelButton"}, {12, "otherWorksButton"}};
    for (const auto& [tabIndex, name] : focusable) EXPECT_EQ(byTabIndex[tabIndex], name);
}

}  // namespace
