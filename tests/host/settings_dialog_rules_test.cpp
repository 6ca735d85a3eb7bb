// The settings dialog's rules that need no window, natively: its placement,
// the zoom point, the kind display, the repeat box and the file chooser's
// record.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "host/settings_dialog/cursor_zoom_point.h"
#include "host/settings_dialog/dialog_messages.h"
#include "host/settings_dialog/dialog_placement.h"
#include "host/settings_dialog/file_chooser_record.h"
#include "host/settings_dialog/kind_display.h"
#include "host/settings_dialog/repeat_text.h"

namespace {

constexpr std::nullopt_t kRefused = std::nullopt;

TEST(DialogPlacement, CentredAcrossAndAThirdDown) {
    const struct {
        double screenWidth, screenHeight, dialogWidth, dialogHeight;
        int32_t left, top;
    } cases[] = {
        // clang-format off
        {1024, 768, 485, 281, 269, 162}, {1920, 1080, 485, 281, 717, 266}, {485, 281, 485, 281, 0, 0},
        // A screen smaller than the dialog: truncated toward zero, not down.
        {400, 300, 485, 281, -42, 6}, {478, 274, 485, 281, -3, -2}, {484, 280, 485, 281, 0, 0},
        // Each difference rounded first, halves to even: 2.5 is 2, 3.5 is 4, -2.5 is -2.
        {487.5, 283.5, 485, 281, 1, 0}, {488.5, 284.5, 485, 281, 2, 1},
        {482.5, 278.5, 485, 281, -1, 0}, {490.6, 287.4, 485, 281, 3, 2},
        // A difference that no 32-bit number holds leaves that coordinate 0.
        {1e12, 768, 485, 281, 0, 162},
        // clang-format on
    };
    for (const auto& c : cases) {
        const DialogPlace place =
            PlaceDialog(c.screenWidth, c.screenHeight, c.dialogWidth, c.dialogHeight);
        EXPECT_EQ(place.left, c.left) << c.screenWidth << " - " << c.dialogWidth;
        EXPECT_EQ(place.top, c.top) << c.screenHeight << " - " << c.dialogHeight;
    }
}

TEST(CursorZoomPoint, FromTheCursorOrZero) {
    const ZoomXY previous{11, 22};
    const struct {
        bool gotCursor;
        int32_t x, y;
        int16_t zoomX, zoomY;
    } cases[] = {
        // clang-format off
        {true, 100, 200, 100, 200}, {true, -1920, -5, -1920, -5}, {true, 32767, -32768, 32767, -32768},
        {false, 100, 200, 0, 0},  // no position: both 0, whatever they were
        // A coordinate that 16 bits can't hold keeps its value; the other converts.
        {true, 32768, 7, 11, 7}, {true, 7, -32769, 7, 22}, {true, 40000, -40000, 11, 22},
        // clang-format on
    };
    for (const auto& c : cases) {
        const ZoomXY point = ZoomPointFromCursor(c.gotCursor, c.x, c.y, previous);
        EXPECT_EQ(point.x, c.zoomX) << c.gotCursor << " " << c.x;
        EXPECT_EQ(point.y, c.zoomY) << c.gotCursor << " " << c.y;
    }
}

// The display for every kind, and a press on a mark or its label from any
// kind (the loaded 7 included) to any kind, the same one included.
TEST(KindDisplay, MarksAndEnabledControls) {
    const struct {
        int16_t kind;
        int selectedMark;
        bool repeat, chooser;
    } cases[] = {
        // clang-format off
        {0, 0, false, false}, {1, 1, true, false}, {2, 2, false, true}, {7, -1, false, false},
        {3, -1, false, false}, {-1, -1, false, false}, {32767, -1, false, false}, {-32768, -1, false, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        const KindDisplay display = ShowKind(c.kind);
        EXPECT_EQ(display.selectedMark, c.selectedMark);
        for (int mark = 0; mark <= 2; ++mark) {
            EXPECT_EQ(display.IsSelected(mark), mark == c.selectedMark);
        }
        EXPECT_EQ(display.repeatEnabled, c.repeat);
        EXPECT_EQ(display.chooserEnabled, c.chooser);
        for (const int16_t index : {0, 1, 2}) {
            int16_t kind = c.kind;
            const KindDisplay selected = SelectKind(kind, index);
            EXPECT_EQ(kind, index);
            EXPECT_EQ(selected.selectedMark, index);
            EXPECT_EQ(selected.repeatEnabled, index == 1);
            EXPECT_EQ(selected.chooserEnabled, index == 2);
        }
    }
}

// The "##" pattern, in the box and in its list of 0 to 30.
TEST(RepeatBox, TextsOfTrackNumbers) {
    const struct {
        int16_t track;
        const char* text;
    } cases[] = {{0, ""}, {7, "7"}, {-3, "-3"}, {30, "30"}, {32767, "32767"}, {-32768, "-32768"}};
    for (const auto& c : cases) EXPECT_EQ(RepeatText(c.track), c.text) << c.track;
    const auto list = RepeatList();
    ASSERT_EQ(list.size(), 31u);
    EXPECT_EQ(list[0], "");
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(list[i], std::to_string(i));
}

// What "設定" stores for the box's text; kRefused: the text is refused.
TEST(RepeatBox, TrackNumberReadFromTheText) {
    const struct {
        const char* text;
        std::optional<int16_t> track;
    } cases[] = {
        // clang-format off
        {"", 0}, {"abc", 0}, {"12", 12}, {"2.5", 2}, {"3.5", 4}, {"45", 45}, {"-3", -3},
        // Blanks, signs, fractions and exponents; halves to even on both sides.
        {" 12 ", 12}, {"\t7", 7}, {"+4", 4}, {"0.5", 0}, {"1.5", 2}, {"2.51", 3}, {"2.49999", 2},
        {"-2.5", -2}, {"-3.5", -4}, {"-0.4", 0}, {"25e-1", 2}, {"35E-1", 4}, {"1.2e1", 12},
        {".5", 0}, {"5.", 5}, {"1e-400", 0}, {"0.05", 0}, {"0.0", 0},
        // What an input method types: full-width "１２", "－３．５", "＋７", blanks.
        {"\xEF\xBC\x91\xEF\xBC\x92", 12}, {"\xEF\xBC\x8D\xEF\xBC\x93\xEF\xBC\x8E\xEF\xBC\x95", -4},
        {"\xEF\xBC\x8B\xEF\xBC\x97", 7}, {"\xE3\x80\x80\xEF\xBC\x99\xE3\x80\x80", 9},
        // Not decimal numbers: 0; a full-width letter stays a letter.
        {" ", 0}, {"1,5", 0}, {"1 2", 0}, {"&H10", 0}, {"0x10", 0}, {"e3", 0}, {"\xEF\xBD\x81", 0},
        // The ends of the 16-bit range, after rounding.
        {"32767", 32767}, {"32767.4", 32767}, {"32766.5", 32766}, {"-32768", -32768},
        {"-32768.5", -32768}, {"32767.5", kRefused}, {"32768", kRefused}, {"-32769", kRefused},
        {"-32768.51", kRefused}, {"1e5", kRefused}, {"99999999999999999999", kRefused}, {"1e400", kRefused},
        // clang-format on
    };
    for (const auto& c : cases) EXPECT_EQ(RepeatFromText(c.text), c.track) << '"' << c.text << '"';
}

// The filter is one description and pattern pair, closed by a double NUL.
TEST(FileChooserRecord, FilterIsOnePairClosedByTwoNuls) {
    const std::u16string filter(kChooserFilter, sizeof(kChooserFilter) / sizeof(char16_t));
    const size_t firstNul = filter.find(u'\0');
    const size_t secondNul = filter.find(u'\0', firstNul + 1);
    EXPECT_EQ(filter.substr(0, firstNul), u"BGMﾌｧｲﾙ (MP3 WAV)");
    EXPECT_EQ(filter.substr(firstNul + 1, secondNul - firstNul - 1), u"*.MP3;*.WAV");
    EXPECT_EQ(filter.substr(secondNul), std::u16string(2, u'\0'));
}

// A path is stored only when the ANSI code page holds all of it, in no more
// bytes than the narrow chooser's buffer took; else the user is told why.
TEST(FileChooserRecord, ChosenPathIsStoredOnlyWhenTheCodePageHoldsIt) {
    const struct {
        bool converted;
        size_t ansiBytes;
        ChosenPathCheck check;
        const char* message;
    } cases[] = {
        {true, 1, ChosenPathCheck::kStorable, nullptr},
        {true, 254, ChosenPathCheck::kStorable, nullptr},
        {true, 255, ChosenPathCheck::kTooLong, kPathTooLongMessage},
        {false, 20, ChosenPathCheck::kNotInCodePage, kPathNotStorableMessage},
        {false, 600, ChosenPathCheck::kNotInCodePage, kPathNotStorableMessage},
    };
    for (const auto& c : cases) {
        const ChosenPathCheck check = CheckChosenPath(c.converted, c.ansiBytes);
        EXPECT_EQ(check, c.check) << c.converted << " " << c.ansiBytes;
        EXPECT_STREQ(ChosenPathMessage(check), c.message) << c.converted << " " << c.ansiBytes;
    }
}

}  // namespace
