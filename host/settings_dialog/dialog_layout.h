#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/forms/font.h"
#include "shared/program_contract.h"

// What the settings dialog looks like, as data: the window and
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
// The credit of creditLabel: the author, then the version. It must fit the label's
// one line of 2475 twips (165 pixels at 96 dpi): in a P-Gothic face at
// 9.75 pt it takes about 150.
inline constexpr char kCreditText[] = "Glintra Project Ver.1.0.0";

// The fonts: every label and the buttons' captions; the panel and the
// repeat box, which takes the panel's font.
inline constexpr char kLabelFontFace[] = "ＭＳ Ｐゴシック";
constexpr double kLabelFontPoints = 9.75;
inline constexpr char kPanelFontFace[] = "Tahoma";
constexpr double kPanelFontPoints = 8.25;

enum class DialogFont {
    kNone,   // no text of its own (images, the shape)
    kLabel,  // kLabelFontFace, in the Japanese character set
    kPanel,  // kPanelFontFace
};

// The font as the toolkit describes it. The label font names the Japanese
// character set, so that the system picks a face with the Japanese glyphs
// even where its name is unknown.
forms::FontDescription DescribeFont(DialogFont font);

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
    const char* name;  // "panel", "kindMarks", "setButton" ...
    int16_t index;     // index in its control array; -1 when it is in none
    ControlKind kind;
    Container container;
    int16_t left, top, width, height;  // twips
    const char* caption;               // UTF-8; "" when the control shows none at load
    DialogFont font;
    uint32_t foreColour;  // text, or the shape's outline
    uint32_t backColour;  // the background of opaque controls (panel, repeatBox)
    TextAlign align;
    bool border;       // a single-line border (fileLabel)
    int16_t tabIndex;  // -1: none (images, the shape)
    int picture;       // the resource id of its picture at load; 0: none
};

// Every control, containers before what they hold (the panel first).
const std::vector<ControlLayout>& DialogControls();

// Where a control of the table goes: the member of that name and index.
template <typename Member>
struct ControlSlot {
    const char* name;
    int16_t index;
    Member* member;
};

// The member for `control` among `slots`. A control that the table has and
// no slot takes is a fault of the program, which would otherwise make it and
// lose it, or put it in another's place: std::logic_error, naming it.
template <typename Member>
Member& SlotFor(const ControlLayout& control, std::initializer_list<ControlSlot<Member>> slots) {
    for (const ControlSlot<Member>& slot : slots) {
        if (std::string(slot.name) == control.name && slot.index == control.index) {
            return *slot.member;
        }
    }
    throw std::logic_error("the settings dialog has no place for its control " +
                           std::string(control.name) + "(" + std::to_string(control.index) + ")");
}

// The control of that name and index (-1 for one in no array); nullptr when
// the table has none.
const ControlLayout* FindControl(const char* name, int16_t index = -1);
