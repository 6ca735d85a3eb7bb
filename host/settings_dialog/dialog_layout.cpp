#include "host/settings_dialog/dialog_layout.h"

#include <cstring>

#include "host/resources/dialog_pictures.h"

namespace {

constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kPanelBackColour = 0x00E0E0E0;
constexpr uint32_t kNoBack = 0;  // transparent or windowless: the gradient shows

constexpr const char* kLabelFont = kLabelFontFace;
constexpr double kLabelSize = kLabelFontPoints;

using K = ControlKind;
using C = Container;
using A = TextAlign;

}  // namespace

const std::vector<ControlLayout>& DialogControls() {
    // clang-format off
    static const std::vector<ControlLayout> controls = {
        // name        index kind              container   left   top  width height caption
        //   font, size, fore, back, align, border, tab index, picture
        {"Pic_C",       -1, K::kPictureBox,    C::kWindow,  180,  240, 6795, 2535, "",
         kPanelFontFace, kPanelFontPoints, kBlack, kPanelBackColour, A::kLeft, false, 1, 0},
        {"Shape3",      -1, K::kShape,         C::kPanel,   300,  300, 1695,  315, "",
         nullptr, 0, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"lbl",         15, K::kLabel,         C::kPanel,   300,  360, 1665,  195, "BGM",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kCentre, false, 8, 0},
        {"Img_BGM",      1, K::kImage,         C::kPanel,   300,  840,  195,  195, "",
         nullptr, 0, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"lbl_BGM",      1, K::kLabel,         C::kPanel,   540,  840,  645,  195, "音楽CD",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kLeft, false, 6, 0},
        {"BGM_Repeat",  -1, K::kComboBox,      C::kPanel,  1380,  780,  615,  300, "",
         kPanelFontFace, kPanelFontPoints, kBlack, kWhite, A::kLeft, false, 2, 0},
        {"lbl",         14, K::kLabel,         C::kPanel,  2040,  840,  990,  195, "曲目をﾘﾋﾟｰﾄ",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kLeft, false, 7, 0},
        {"Img_BGM",      0, K::kImage,         C::kPanel,   300, 1140,  195,  195, "",
         nullptr, 0, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"lbl_BGM",      0, K::kLabel,         C::kPanel,   540, 1140,  345,  195, "無し",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kLeft, false, 4, 0},
        {"Img_BGM",      2, K::kImage,         C::kPanel,   300, 1440,  195,  195, "",
         nullptr, 0, kBlack, kNoBack, A::kLeft, false, -1, 0},
        {"lbl_BGM",      2, K::kLabel,         C::kPanel,   540, 1440,  900,  195, "MP3、WAV",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kLeft, false, 5, 0},
        {"Cmd_BGM",     -1, K::kCommandButton, C::kPanel,   540, 1740,  435,  315, "...",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kCentre, false, 9, 0},
        // The path, two text lines high; its caption is BGMFile, set at load.
        {"lbl_Fname",   -1, K::kLabel,         C::kPanel,  1020, 1740, 5355,  435, "",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kLeft, true, 3, 0},
        {"lbl",          7, K::kLabel,         C::kWindow,  180, 2940, 2475,  195, kCreditText,
         kLabelFont, kLabelSize, kWhite, kNoBack, A::kLeft, false, 0, 0},
        {"Cmd_Etc",     -1, K::kCommandButton, C::kWindow, 2880, 3000, 1875,  375, "その他の作品",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kCentre, false, 12, 0},
        {"Cmd_Set",     -1, K::kCommandButton, C::kWindow, 4800, 3000, 1095,  375, "設定",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kCentre, false, 10, 0},
        {"Cmd_Can",     -1, K::kCommandButton, C::kWindow, 5940, 3000, 1035,  375, "ｷｬﾝｾﾙ",
         kLabelFont, kLabelSize, kBlack, kNoBack, A::kCentre, false, 11, 0},
        // The two mark pictures, right of the inner area and never seen.
        {"Img_Ra",       0, K::kImage,         C::kWindow, 8040,  300,  180,  180, "",
         nullptr, 0, kBlack, kNoBack, A::kLeft, false, -1, IDB_MARK_NOT_SELECTED},
        {"Img_Ra",       1, K::kImage,         C::kWindow, 8040,  600,  180,  180, "",
         nullptr, 0, kBlack, kNoBack, A::kLeft, false, -1, IDB_MARK_SELECTED},
    };
    // clang-format on
    return controls;
}

const ControlLayout* FindControl(const char* name, int16_t index) {
    for (const ControlLayout& control : DialogControls()) {
        if (std::strcmp(control.name, name) == 0 && control.index == index) return &control;
    }
    return nullptr;
}
