// The Command button's rules, natively: the transitions of each handler,
// the hover poll, the gradient and its colour texts, the frame's geometry.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "host/command_button/button_state.h"
#include "host/command_button/face_frame.h"
#include "host/command_button/gradient.h"

namespace {

using namespace command_button;
using S = ButtonState;
using F = Face;
using E = Event;

constexpr std::optional<Face> kNoFace = std::nullopt;
constexpr int kRight = 2, kMiddle = 4;

// Every handler in every state, with the left button down or not; a
// disabled button changes nothing.
TEST(CommandButtonRules, EachHandlerTestsItsConditionsInOrder) {
    const struct {
        S state;
        bool leftDown;
        E event;
        int button;
        S newState;
        bool newLeftDown;
        std::optional<Face> face;
        bool click;
    } cases[] = {
        // A move: the pointer-over look from StateNormal; the focused look
        // from StateSelected unless the left button is held.
        {S::StateNormal, false, E::MouseMove, 0, S::StateHighLight, false, F::HighLight, false},
        {S::StateSelected, false, E::MouseMove, 0, S::StateHighLightSelect, false,
         F::HighLightSelect, false},
        {S::StateSelected, true, E::MouseMove, 0, S::StateSelected, true, kNoFace, false},
        {S::StateNormal, true, E::MouseMove, 0, S::StateHighLight, true, F::HighLight, false},
        {S::StateHighLight, false, E::MouseMove, 0, S::StateHighLight, false, kNoFace, false},
        {S::StateHighLightSelect, false, E::MouseMove, 0, S::StateHighLightSelect, false, kNoFace,
         false},
        {S::StateNone, false, E::MouseMove, 0, S::StateNone, false, kNoFace, false},
        // Down: only the left button draws and is remembered.
        {S::StateHighLightSelect, false, E::MouseDown, 1, S::StateHighLightSelect, true, F::Pressed,
         false},
        {S::StateNormal, false, E::MouseDown, 1, S::StateNormal, true, F::Pressed, false},
        {S::StateHighLight, false, E::MouseDown, kRight, S::StateHighLight, false, kNoFace, false},
        {S::StateHighLight, true, E::MouseDown, kMiddle, S::StateHighLight, true, kNoFace, false},
        // Up: the left button draws by the state; any button clicks unless
        // the state is StateSelected.
        {S::StateHighLight, true, E::MouseUp, 1, S::StateHighLight, false, F::Normal, true},
        {S::StateHighLightSelect, true, E::MouseUp, 1, S::StateHighLightSelect, false,
         F::HighLightSelect, true},
        {S::StateSelected, true, E::MouseUp, 1, S::StateSelected, false, kNoFace, false},
        {S::StateNormal, true, E::MouseUp, 1, S::StateNormal, false, kNoFace, true},
        {S::StateNone, true, E::MouseUp, 1, S::StateNone, false, kNoFace, true},
        {S::StateHighLight, false, E::MouseUp, kRight, S::StateHighLight, false, kNoFace, true},
        {S::StateHighLightSelect, true, E::MouseUp, kMiddle, S::StateHighLightSelect, true, kNoFace,
         true},
        {S::StateSelected, false, E::MouseUp, kRight, S::StateSelected, false, kNoFace, false},
        // The focus arriving: Pressed when the pointer is over the button.
        {S::StateNormal, false, E::GotFocus, 0, S::StateSelected, false, F::Selected, false},
        {S::StateNone, false, E::GotFocus, 0, S::StateSelected, false, F::Selected, false},
        {S::StateHighLight, true, E::GotFocus, 0, S::StateHighLightSelect, true, F::Pressed, false},
        {S::StateHighLightSelect, false, E::GotFocus, 0, S::StateSelected, false, F::Selected,
         false},
        // The focus leaving.
        {S::StateHighLightSelect, true, E::LostFocus, 0, S::StateNormal, true, F::Normal, false},
        {S::StateSelected, false, E::LostFocus, 0, S::StateNormal, false, F::Normal, false},
        {S::StateNone, false, E::LostFocus, 0, S::StateNormal, false, F::Normal, false},
        {S::StateNormal, false, E::LostFocus, 0, S::StateNormal, false, kNoFace, false},
        // The pointer leaving.
        {S::StateHighLight, false, E::MouseLeave, 0, S::StateNormal, false, F::Normal, false},
        {S::StateHighLightSelect, true, E::MouseLeave, 0, S::StateSelected, true, F::Selected,
         false},
        {S::StateSelected, false, E::MouseLeave, 0, S::StateSelected, false, kNoFace, false},
        {S::StateNormal, false, E::MouseLeave, 0, S::StateNormal, false, kNoFace, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << int(c.state) << " leftDown " << c.leftDown
                                        << " event " << int(c.event) << " button " << c.button);
        const Reaction r = React({c.state, c.leftDown, true}, c.event, c.button);
        EXPECT_EQ(r.state, c.newState);
        EXPECT_EQ(r.leftDown, c.newLeftDown);
        EXPECT_EQ(r.face, c.face);
        EXPECT_EQ(r.click, c.click);

        const Reaction off = React({c.state, c.leftDown, false}, c.event, c.button);
        EXPECT_EQ(off.state, c.state);
        EXPECT_EQ(off.leftDown, c.leftDown);
        EXPECT_EQ(off.face, kNoFace);
        EXPECT_FALSE(off.click);
    }
}

// The pointer is over the button exactly when the window under it is the
// button's own; without the form's window the poll calls MouseLeave.
TEST(CommandButtonRules, ThePollLeavesUnlessTheButtonsOwnWindowIsUnderThePointer) {
    constexpr uintptr_t kButton = 10, kForm = 20, kOther = 30;
    EXPECT_FALSE(PollCallsMouseLeave(kButton, kButton, kForm));
    EXPECT_TRUE(PollCallsMouseLeave(kForm, kButton, kForm));
    EXPECT_TRUE(PollCallsMouseLeave(kOther, kButton, kForm));
    EXPECT_TRUE(PollCallsMouseLeave(0, kButton, kForm));
    EXPECT_TRUE(PollCallsMouseLeave(kButton, kButton, std::nullopt));
}

TEST(CommandButtonRules, TheGradientsDirectionFollowsTheState) {
    for (const bool before : {false, true}) {
        EXPECT_FALSE(GradientReversedAfter(S::StateNormal, before));
        EXPECT_TRUE(GradientReversedAfter(S::StateHighLight, before));
        EXPECT_FALSE(GradientReversedAfter(S::StateSelected, before));
        EXPECT_EQ(GradientReversedAfter(S::StateHighLightSelect, before), before);
        EXPECT_EQ(GradientReversedAfter(S::StateNone, before), before);
    }
}

// The pairs in the order they are written: red, green, blue.
TEST(CommandButtonRules, ColourTextsReadInTextOrder) {
    EXPECT_EQ(ReadColourText(kGradientTint), (Rgb{0xC6, 0xC5, 0xD7}));
    EXPECT_EQ(ReadColourText(kWhiteText), (Rgb{255, 255, 255}));
    EXPECT_EQ(ReadColourText("&h0a1B2c"), (Rgb{0x0A, 0x1B, 0x2C}));
    for (const char* bad : {"&HC6C5D", "&HC6C5D7F", "C6C5D7", "#C6C5D7", "&HC6C5DG", ""}) {
        EXPECT_EQ(ReadColourText(bad), std::nullopt) << bad;
    }
}

TEST(CommandButtonRules, TheGradientRunsFromVertexZeroAtTheTopToVertexOne) {
    const auto normal = MakeGradient(false, 117, 28);
    ASSERT_TRUE(normal);
    const GradientVertex& top = normal->vertices[0];
    const GradientVertex& bottom = normal->vertices[1];
    EXPECT_EQ((std::vector<int>{top.x, top.y, top.red, top.green, top.blue, top.alpha}),
              (std::vector<int>{0, 0, 0xFF00, 0xFF00, 0xFF00, 0}));
    EXPECT_EQ((std::vector<int>{bottom.x, bottom.y, bottom.red, bottom.green, bottom.blue}),
              (std::vector<int>{116, 27, 0xC600, 0xC500, 0xD700}));
    EXPECT_EQ(normal->upperLeft, 1u);
    EXPECT_EQ(normal->lowerRight, 0u);

    const auto reversed = MakeGradient(true, 117, 28);
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->vertices[0].red, 0xC600);
    EXPECT_EQ(reversed->vertices[0].blue, 0xD700);
    EXPECT_EQ(reversed->vertices[1].green, 0xFF00);
}

std::vector<double> Flat(const std::vector<FramePiece>& pieces) {
    std::vector<double> out;
    for (const FramePiece& p : pieces) {
        out.insert(out.end(), {p.sourceX, p.sourceY, p.sourceWidth, p.sourceHeight, p.x, p.y,
                               p.width, p.height});
    }
    return out;
}

// The design size, 1755 x 420 twips (117 x 28 pixels): corners of 60 twips,
// edges stretched from 840 to 1635 and from 255 to 300 twips.
TEST(CommandButtonRules, EightPiecesAtTheDesignSize) {
    FrameSizes sizes;
    MeasureFrame(sizes, 1755, 420);
    EXPECT_EQ(sizes.edgeWidth, 1635);
    EXPECT_EQ(sizes.edgeHeight, 300);
    EXPECT_EQ(Flat(FramePieces(sizes, 1755, 420)), (std::vector<double>{
                                                       0,   0,   60,  60,  0,    0,   60,   60,   //
                                                       60,  0,   840, 60,  60,   0,   1635, 60,   //
                                                       900, 0,   60,  60,  1695, 0,   60,   60,   //
                                                       900, 60,  60,  255, 1695, 60,  60,   300,  //
                                                       900, 315, 60,  60,  1695, 360, 60,   60,   //
                                                       60,  315, 840, 60,  60,   360, 1635, 60,   //
                                                       0,   315, 60,  60,  0,    360, 60,   60,   //
                                                       0,   60,  60,  255, 0,    60,  60,   300,  //
                                                   }));
    EXPECT_EQ(CaptionTop(420, 195), 102.5);
    EXPECT_EQ(CaptionTop(375, 195), 80);
}

// Below 8 pixels (120 twips) either way there is no room for the corners:
// no frame. At exactly 120 the corners meet and the edges have no length.
TEST(CommandButtonRules, ASmallButtonHasNoFrame) {
    for (const auto& [width, height, pieces] : std::vector<std::tuple<double, double, size_t>>{
             {105, 420, 0}, {1755, 105, 0}, {120, 420, 8}, {120, 120, 8}, {0, 0, 0}}) {
        FrameSizes sizes;
        MeasureFrame(sizes, width, height);
        EXPECT_EQ(FramePieces(sizes, width, height).size(), pieces) << width << " x " << height;
    }
}

// The stretched lengths are 16-bit: a length that does not fit is not
// stored, and the one before is drawn.
TEST(CommandButtonRules, AnEdgeLengthBeyondSixteenBitsKeepsTheOneBefore) {
    FrameSizes sizes;
    MeasureFrame(sizes, 32887, 420);  // 32767: still fits
    EXPECT_EQ(sizes.edgeWidth, 32767);
    MeasureFrame(sizes, 1755, 420);
    MeasureFrame(sizes, 32888, 40000);
    EXPECT_EQ(sizes.edgeWidth, 1635);
    EXPECT_EQ(sizes.edgeHeight, 300);
    const std::vector<FramePiece> pieces = FramePieces(sizes, 32888, 40000);
    ASSERT_EQ(pieces.size(), 8u);
    EXPECT_EQ(pieces[1].width, 1635);  // the old length
    EXPECT_EQ(pieces[2].x, 32828);     // the corners still go to the right place
    EXPECT_EQ(pieces[4].y, 39940);

    FrameSizes fresh;
    MeasureFrame(fresh, 1e9, 420);
    EXPECT_EQ(fresh.edgeWidth, 0);
}

}  // namespace
