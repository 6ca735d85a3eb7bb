#pragma once

#include <cstdint>
#include <vector>

#include "shared/program_contract.h"

// What the settings dialog Glintra_P looks like, as data: the window and
// every control with its container, place, size, caption, font, colours and
// tab index. The form creates its controls from this table, in its order,
// and the controls' code looks them up by name and index. Portable.
//
// Places and sizes are twips (1/1440 inch; 15 to a pixel at 96 dpi) from the
// top-left corner of the container's inner area; the form converts them with
// the real screen's twips per pixel. Colours are &H00BBGGRR. Texts are UTF-8.

// The window, captioned kSettingsDialogCaption (shared/program_contract.h).
constexpr int16_t kDialogInnerWidth = 7185;         // twips (479 pixels at 96 dpi)
constexpr int16_t kDialogInnerHeight = 3780;        // twips (252 pixels at 96 dpi)
constexpr uint32_t kDialogBackColour = 0x00C0C0C0;  // under the painted gradient
// A fixed single border (no resizing) and a caption bar with the close box
// only: no maximise and no minimise button, so the window gets its size once.
// The close box does what "ｷｬﾝｾﾙ" does.
constexpr bool kDialogMinimiseButton = false;
constexpr bool kDialogMaximiseButton = false;

// The credit of lbl(7): the author, then the version. It must fit the label's
// one line of 2475 twips (165 pixels at 96 dpi): in a P-Gothic face at
// 9.75 pt it takes about 150.
inline constexpr char kCreditText[] = "Glintra Project Ver.1.0.0";

// The fonts: every label and the buttons' captions; the panel Pic_C and the
// repeat box, which takes the panel's font.
inline constexpr char kLabelFontFace[] = "ＭＳ Ｐゴシック";
constexpr double kLabelFontPoints = 9.75;
inline constexpr char kPanelFontFace[] = "Tahoma";
constexpr double kPanelFontPoints = 8.25;

enum class ControlKind {
    kPictureBox,     // a child window that paints its own gradient
    kShape,          // a rectangle outline, painted by its container
    kLabel,          // windowless, transparent background, painted by its container
    kImage,          // windowless picture, painted by its container
    kComboBox,       // editable drop-down list
    kCommandButton,  // the host's Command button (host/command_button)
};

enum class Container { kWindow, kPanel };

enum class TextAlign { kLeft, kCentre };

struct ControlLayout {
    const char* name;  // "Pic_C", "lbl", "Img_BGM" ...
    int16_t index;     // index in its control array; -1 when it is in none
    ControlKind kind;
    Container container;
    int16_t left, top, width, height;  // twips
    const char* caption;               // UTF-8; "" when the control shows none at load
    const char* fontFace;              // nullptr: no text of its own (images, the shape)
    double fontPoints;
    uint32_t foreColour;  // text, or the shape's outline
    uint32_t backColour;  // the background of opaque controls (Pic_C, BGM_Repeat)
    TextAlign align;
    bool border;       // a single-line border (lbl_Fname)
    int16_t tabIndex;  // -1: none (images, the shape)
    int picture;       // the resource id of its picture at load; 0: none
};

// Every control, containers before what they hold (Pic_C first).
const std::vector<ControlLayout>& DialogControls();

// The control of that name and index (-1 for one in no array); nullptr when
// the table has none.
const ControlLayout* FindControl(const char* name, int16_t index = -1);
