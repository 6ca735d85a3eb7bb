#include "host/command_button/command.h"

#include <windows.h>

#include "host/command_button/gradient.h"
#include "host/forms/form.h"
#include "host/resources/command_button_pictures.h"

using command_button::Event;
using command_button::Face;

namespace {

// The design size of the caption label, in twips.
constexpr forms::TwipsRect kCaptionRect = {0, 90, 1635, 195};

forms::FontDescription DesignFont() {
    forms::FontDescription font;
    font.name = "ＭＳ Ｐゴシック";
    font.size = 9.75;
    font.charset = forms::kShiftJisCharset;
    return font;
}

// Loaded once: every button draws from the same six pictures.
forms::PictureRef FacePicture(int id) {
    static forms::PictureRef pictures[6];
    forms::PictureRef& picture = pictures[id - IDB_BUTTON_NORMAL];
    if (picture == nullptr) picture = forms::Picture::FromResource(id);
    return picture;
}

}  // namespace

Command::Command(forms::Container& parent, forms::TwipsRect rect,
                 std::optional<forms::PropertyBag> stored)
    : forms::UserControl(parent, rect, std::move(stored)),
      TmrMouse(*this, 100, false, [this] { TmrMouse_Timer(); }),
      HighLight(FacePicture(IDB_BUTTON_HIGHLIGHT)),
      Pressed(FacePicture(IDB_BUTTON_PRESSED)),
      Normal(FacePicture(IDB_BUTTON_NORMAL)),
      LblMsg(*this, kCaptionRect, "Command", forms::Font::New(DesignFont())),
      Disable(FacePicture(IDB_BUTTON_DISABLE)),
      HighLightSelect(FacePicture(IDB_BUTTON_HIGHLIGHTSELECT)),
      Selected(FacePicture(IDB_BUTTON_SELECTED)) {
    forms::Container::SetFont(forms::Font::New(DesignFont()));
    LblMsg.SetForeColor(0);
    LblMsg.SetAlignment(forms::Alignment::Center);
    LblMsg.SetBackStyle(forms::BackStyle::Transparent);
    LblMsg.MouseDown = [this](const forms::MouseEvent& e) {
        LblMsg_MouseDown(e.button, e.shift, e.x, e.y);
    };
    LblMsg.MouseMove = [this](const forms::MouseEvent& e) {
        LblMsg_MouseMove(e.button, e.shift, e.x, e.y);
    };
    LblMsg.MouseUp = [this](const forms::MouseEvent& e) {
        LblMsg_MouseUp(e.button, e.shift, e.x, e.y);
    };
}

// ---- Properties ----

std::string Command::Caption() const { return LblMsg.Caption(); }

void Command::SetCaption(const std::string& New_Caption) {
    LblMsg.SetCaption(New_Caption);
    PropertyChanged("Caption");
}

forms::FontRef Command::Font() const { return LblMsg.Font(); }

void Command::SetFont(forms::FontRef New_Font) {
    LblMsg.SetFont(std::move(New_Font));
    PropertyChanged("Font");
}

uint32_t Command::FontColour() {
    const uint32_t colour = LblMsg.ForeColor();
    RefreshFace();
    return colour;
}

void Command::SetFontColour(uint32_t New_FontColour) {
    if (!LblMsg.SetForeColor(New_FontColour)) {
        // The failing step: the face is refreshed and the setter ends.
        RefreshFace();
        return;
    }
    RefreshFace();
    PropertyChanged("FontColour");
}

bool Command::Enabled() {
    if (FirstRun == 0) {
        RefreshFace();
        FirstRun = 1;
        ButtonEnabled = true;
    }
    const bool enabled = ButtonEnabled;
    ApplyEnabled();
    return enabled;
}

void Command::SetEnabled(bool New_Enabled) {
    ButtonEnabled = New_Enabled;
    PropertyChanged("Enabled");
    ApplyEnabled();
}

uint8_t Command::Visible() {
    if (BackStyle() == 0) return 0;
    RefreshFace();
    return 255;
}

void Command::SetVisible(uint8_t New_Visible) {
    if (New_Visible == 0) {
        SetBackStyle(0);
    } else {
        SetBackStyle(1);
        RefreshFace();
    }
    PropertyChanged("Visible");
}

void Command::Initialize() {
    ButtonState = command_button::ButtonState::StateNormal;
    TmrMouse.SetEnabled(true);
    TmrMouse.SetInterval(100);
}

// ---- Persistence ----

void Command::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    // A value that does not convert (or a colour or style that is not
    // valid) is skipped, and the next key is read.
    if (const auto v = forms::ToBoolean(PropBag.ReadProperty("Enabled", true))) ButtonEnabled = *v;
    if (const auto v = forms::ToText(PropBag.ReadProperty("Caption", "Command1"))) {
        LblMsg.SetCaption(*v);
    }
    // By value: the face name alone; size, weight and character set stay.
    if (const auto v =
            forms::ToFontName(PropBag.ReadProperty("Font", AmbientFont()->Description()))) {
        LblMsg.Font()->SetName(*v);
    }
    if (const auto v = forms::ToByte(PropBag.ReadProperty("FirstRun", "1"))) FirstRun = *v;
    if (const auto v = forms::ToLong(PropBag.ReadProperty("FontColour", "0"))) {
        LblMsg.SetForeColor(static_cast<uint32_t>(*v));
    }
    if (const auto v = forms::ToInteger(PropBag.ReadProperty("Visible", "1"))) SetBackStyle(*v);
    RefreshFace();
}

void Command::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    PropBag.WriteProperty("Enabled", ButtonEnabled, true);
    PropBag.WriteProperty("Caption", LblMsg.Caption(), "Command");
    PropBag.WriteProperty("FirstRun", FirstRun, "1");
    PropBag.WriteProperty("Font", LblMsg.Font()->Description(), AmbientFont()->Description());
    PropBag.WriteProperty("FontColour", static_cast<int32_t>(LblMsg.ForeColor()), "0");
    PropBag.WriteProperty("Visible", BackStyle(), "1");
    RefreshFace();
}

// ---- Events ----

void Command::UserControl_Resize() { ApplyEnabled(); }

void Command::UserControl_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
    React(Event::MouseDown, Button);
}

void Command::UserControl_MouseMove(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {
    React(Event::MouseMove);
}

void Command::UserControl_MouseUp(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
    React(Event::MouseUp, Button);
}

void Command::UserControl_GotFocus() { React(Event::GotFocus); }

void Command::UserControl_LostFocus() { React(Event::LostFocus); }

void Command::LblMsg_MouseDown(int Button, int Shift, double X, double Y) {
    UserControl_MouseDown(Button, Shift, X, Y);
}

void Command::LblMsg_MouseMove(int Button, int Shift, double X, double Y) {
    UserControl_MouseMove(Button, Shift, X, Y);
}

void Command::LblMsg_MouseUp(int Button, int Shift, double X, double Y) {
    UserControl_MouseUp(Button, Shift, X, Y);
}

void Command::TmrMouse_Timer() {
    // The control gets no event when the pointer leaves it: the window under
    // the pointer tells. The caption has no window, so over it the window is
    // the button's own.
    POINT point = {};
    GetCursorPos(&point);
    const HWND under = WindowFromPoint(point);
    std::optional<uintptr_t> form;
    if (forms::Form* parentForm = ParentForm(); parentForm != nullptr && parentForm->hwnd()) {
        form = reinterpret_cast<uintptr_t>(parentForm->hwnd());
    }
    if (command_button::PollCallsMouseLeave(reinterpret_cast<uintptr_t>(under),
                                            reinterpret_cast<uintptr_t>(hwnd()), form)) {
        MouseLeave();
    }
}

void Command::MouseLeave() { React(Event::MouseLeave); }

void Command::React(Event event, int button) {
    const command_button::Reaction reaction =
        command_button::React({ButtonState, LeftDown, ButtonEnabled}, event, button);
    ButtonState = reaction.state;
    LeftDown = reaction.leftDown;
    if (reaction.face) DrawFace(*reaction.face);
    if (reaction.click && Click) Click();
}

// ---- Painting ----

void Command::ApplyEnabled() {
    if (ButtonEnabled) {
        DrawFace(Face::Normal);
        LblMsg.SetEnabled(true);
    } else {
        DrawFace(Face::Disable);
        LblMsg.SetEnabled(false);
    }
}

void Command::RefreshFace() {
    if (!ButtonEnabled) return;
    LblMsg.SetEnabled(true);
    // Black until the first read of Enabled has turned a new button on.
    // (None of these steps can fail here, so the black text that a failing
    // step would leave never comes up.)
    if (FirstRun == 0) LblMsg.SetForeColor(0);
    DrawFace(Face::Normal);
}

const forms::Picture* Command::PictureOf(Face face) const {
    switch (face) {
        case Face::Normal:
            return Normal.get();
        case Face::HighLight:
            return HighLight.get();
        case Face::Pressed:
            return Pressed.get();
        case Face::Disable:
            return Disable.get();
        case Face::Selected:
            return Selected.get();
        case Face::HighLightSelect:
            return HighLightSelect.get();
    }
    return nullptr;
}

void Command::DrawFace(Face face) {
    GradientReversed = command_button::GradientReversedAfter(ButtonState, GradientReversed);
    const double width = ScaleWidth();  // twips
    const double height = ScaleHeight();
    command_button::MeasureFrame(FrameSizes, width, height);
    Cls();
    DrawGradient();

    const forms::Picture* picture = PictureOf(face);
    const HDC dc = hdc();
    if (picture != nullptr && dc != nullptr) {
        const forms::TwipsPerPixel twips = Twips();
        const auto x = [&](double value) { return forms::PixelsFromTwips(value, twips.x); };
        const auto y = [&](double value) { return forms::PixelsFromTwips(value, twips.y); };
        // The pieces are cut from the picture in its own pixels, whatever the
        // screen's resolution; only where they go follows the screen.
        const auto source = [](double value) {
            return forms::PixelsFromTwips(value, command_button::kFaceTwipsPerPixel);
        };
        for (const command_button::FramePiece& piece :
             command_button::FramePieces(FrameSizes, width, height)) {
            picture->Draw(dc, x(piece.x), y(piece.y), x(piece.width), y(piece.height),
                          source(piece.sourceX), source(piece.sourceY), source(piece.sourceWidth),
                          source(piece.sourceHeight));
        }
    }
    Refresh();
    // Across the whole width, centred, a little above the middle; its own
    // height stays.
    LblMsg.Move(0, command_button::CaptionTop(height, LblMsg.Height()), width, LblMsg.Height());
}

void Command::DrawGradient() {
    SetScaleMode(forms::ScaleMode::Pixels);
    const auto gradient = command_button::MakeGradient(
        GradientReversed, static_cast<int32_t>(ScaleWidth()), static_cast<int32_t>(ScaleHeight()));
    SetScaleMode(forms::ScaleMode::Twips);
    const HDC dc = hdc();
    if (!gradient || dc == nullptr) return;
    TRIVERTEX vertices[2];
    for (int i = 0; i < 2; ++i) {
        const command_button::GradientVertex& v = gradient->vertices[i];
        vertices[i] = TRIVERTEX{v.x, v.y, v.red, v.green, v.blue, v.alpha};
    }
    GRADIENT_RECT mesh = {gradient->upperLeft, gradient->lowerRight};
    // https://learn.microsoft.com/en-us/windows/win32/api/wingdi/nf-wingdi-gradientfill
    GradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
    Refresh();
}
