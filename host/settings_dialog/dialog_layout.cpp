#include "host/settings_dialog/dialog_layout.h"

#include <cstring>

#include "host/resources/dialog_pictures.h"

namespace {

constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kPanelBackColour = 0x00E0E0E0;
constexpr uint32_t kNoBack = 0;  // transparent or windowless: the gradient shows

constexpr DialogFont kLabelFont = DialogFont::kLabel;
constexpr DialogFont kPanelFont = DialogFont::kPanel;
constexpr DialogFont kNoFont = DialogFont::kNone;

using K = ControlKind;
using C = Container;
using A = TextAlign;

}  // namespace

const std::vector<ControlLayout>& DialogControls() {
    // clang-format off
    static const std::vector<ControlLayout> controls = {
        // name          index kind              container   left   top  width height caption
        //   font, fore, back, align, border, tab index, picture
        {"panel",            -1, K::kPictureBox,    C::kWindow,  180,  240, 6795, 2535, "",
         kPanelFont, kBlack, kPanelBackColour, A::kLeft, false, 1, 0},
        {"headingFrame",     -1, K::kShape,         C::kPanel,   300,  300, 1695,  315, "",
         kNoFont, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"heading",          -1, K::kLabel,         C::kPanel,   300,  360, 1665,  195, "BGM",
         kLabelFont, kBlack, kNoBack, A::kCentre, false, 8, 0},
        {"kindMarks",         1, K::kImage,         C::kPanel,   300,  840,  195,  195, "",
         kNoFont, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"kindLabels",        1, K::kLabel,         C::kPanel,   540,  840,  645,  195, "音楽CD",
         kLabelFont, kBlack, kNoBack, A::kLeft, false, 6, 0},
        {"repeatBox",        -1, K::kComboBox,      C::kPanel,  1380,  780,  615,  300, "",
         kPanelFont, kBlack, kWhite, A::kLeft, false, 2, 0},
        {"repeatLabel",      -1, K::kLabel,         C::kPanel,  2040,  840,  990,  195, "曲目をﾘﾋﾟｰﾄ",
         kLabelFont, kBlack, kNoBack, A::kLeft, false, 7, 0},
        {"kindMarks",         0, K::kImage,         C::kPanel,   300, 1140,  195,  195, "",
         kNoFont, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"kindLabels",        0, K::kLabel,         C::kPanel,   540, 1140,  345,  195, "無し",
         kLabelFont, kBlack, kNoBack, A::kLeft, false, 4, 0},
        {"kindMarks",         2, K::kImage,         C::kPanel,   300, 1440,  195,  195, "",
         kNoFont, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"kindLabels",        2, K::kLabel,         C::kPanel,   540, 1440,  900,  195, "MP3、WAV",
         kLabelFont, kBlack, kNoBack, A::kLeft, false, 5, 0},
        {"chooseButton",     -1, K::kCommandButton, C::kPanel,   540, 1740,  435,  315, "...",
         kLabelFont, kBlack, kNoBack, A::kCentre, false, 9, 0},
        // The path, two text lines high; its caption is the music file, set at load.
        {"fileLabel",        -1, K::kLabel,         C::kPanel,  1020, 1740, 5355,  435, "",
         kLabelFont, kBlack, kNoBack, A::kLeft, true, 3, 0},
        {"creditLabel",      -1, K::kLabel,         C::kWindow,  180, 2940, 2475,  195, kCreditText,
         kLabelFont, kWhite, kNoBack, A::kLeft, false, 0, 0},
        {"otherWorksButton", -1, K::kCommandButton, C::kWindow, 2880, 3000, 1875,  375, "その他の作品",
         kLabelFont, kBlack, kNoBack, A::kCentre, false, 12, 0},
        {"setButton",        -1, K::kCommandButton, C::kWindow, 4800, 3000, 1095,  375, "設定",
         kLabelFont, kBlack, kNoBack, A::kCentre, false, 10, 0},
        {"cancelButton",     -1, K::kCommandButton, C::kWindow, 5940, 3000, 1035,  375, "ｷｬﾝｾﾙ",
         kLabelFont, kBlack, kNoBack, A::kCentre, false, 11, 0},
        // The two mark pictures, right of the inner area and never seen.
        {"markPictures",      0, K::kImage,         C::kWindow, 8040,  300,  180,  180, "",
         kNoFont, kBlack, kNoBack, A::kLeft, false, -1, IDB_MARK_NOT_SELECTED},
        {"markPictures",      1, K::kImage,         C::kWindow, 8040,  600,  180,  180, "",
         kNoFont, kBlack, kNoBack, A::kLeft, false, -1, IDB_MARK_SELECTED},
    };
    // clang-format on
    return controls;
}

forms::FontDescription DescribeFont(DialogFont font) {
    forms::FontDescription description;
    if (font == DialogFont::kLabel) {
        description.name = kLabelFontFace;
        description.size = kLabelFontPoints;
        description.charset = forms::kShiftJisCharset;
    } else if (font == DialogFont::kPanel) {
        description.name = kPanelFontFace;
        description.size = kPanelFontPoints;
    }
    return description;
}

const ControlLayout* FindControl(const char* name, int16_t index) {
    for (const ControlLayout& control : DialogControls()) {
        if (std::strcmp(control.name, name) == 0 && control.index == index) return &control;
    }
    return nullptr;
}
