#include "host/command_button/command_button.h"

#include <windows.h>

#include "host/command_button/gradient.h"
#include "host/forms/form.h"
#include "host/forms/text_win32.h"
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
forms::PictureRef LoadedFacePicture(int id) {
    static forms::PictureRef pictures[6];
    forms::PictureRef& picture = pictures[id - IDB_BUTTON_NORMAL];
    if (picture == nullptr) picture = forms::Picture::FromResource(id);
    return picture;
}

}  // namespace

CommandButton::CommandButton(forms::Container& parent, forms::TwipsRect rect,
                             std::optional<forms::PropertyBag> stored)
    : forms::UserControl(parent, rect, std::move(stored)),
      hoverPoll_(*this, 100, false, [this] { HoverPoll_Timer(); }),
      highLightFace_(LoadedFacePicture(IDB_BUTTON_HIGHLIGHT)),
      pressedFace_(LoadedFacePicture(IDB_BUTTON_PRESSED)),
      normalFace_(LoadedFacePicture(IDB_BUTTON_NORMAL)),
      captionLabel_(*this, kCaptionRect, "Command", forms::Font::New(DesignFont())),
      disableFace_(LoadedFacePicture(IDB_BUTTON_DISABLE)),
      highLightSelectFace_(LoadedFacePicture(IDB_BUTTON_HIGHLIGHTSELECT)),
      selectedFace_(LoadedFacePicture(IDB_BUTTON_SELECTED)) {
    forms::Container::SetFont(forms::Font::New(DesignFont()));
    captionLabel_.SetForeColor(0);
    captionLabel_.SetAlignment(forms::Alignment::Center);
    captionLabel_.SetBackStyle(forms::BackStyle::Transparent);
    captionLabel_.MouseDown = [this](const forms::MouseEvent& e) {
        CaptionLabel_MouseDown(e.button, e.shift, e.x, e.y);
    };
    captionLabel_.MouseMove = [this](const forms::MouseEvent& e) {
        CaptionLabel_MouseMove(e.button, e.shift, e.x, e.y);
    };
    captionLabel_.MouseUp = [this](const forms::MouseEvent& e) {
        CaptionLabel_MouseUp(e.button, e.shift, e.x, e.y);
    };
}

// ---- Properties ----

std::string CommandButton::Caption() const { return captionLabel_.Caption(); }

void CommandButton::SetCaption(const std::string& New_Caption) {
    captionLabel_.SetCaption(New_Caption);
    NameWindowAfterCaption();
    PropertyChanged("Caption");
}

void CommandButton::NameWindowAfterCaption() {
    // A screen reader reads a window's text (WM_GETTEXT); the caption itself
    // is a windowless label. The text of a child window without a caption
    // bar is never drawn.
    // https://learn.microsoft.com/en-us/windows/win32/winauto/the-role-of-window-text
    if (hwnd() != nullptr)
        SetWindowTextW(hwnd(), forms::WideFromUtf8(captionLabel_.Caption()).c_str());
}

forms::FontRef CommandButton::Font() const { return captionLabel_.Font(); }

void CommandButton::SetFont(forms::FontRef New_Font) {
    captionLabel_.SetFont(std::move(New_Font));
    PropertyChanged("Font");
}

uint32_t CommandButton::FontColour() const { return captionLabel_.ForeColor(); }

void CommandButton::SetFontColour(uint32_t New_FontColour) {
    if (!captionLabel_.SetForeColor(New_FontColour)) {
        // The failing step: the face is refreshed and the setter ends.
        RefreshFace();
        return;
    }
    RefreshFace();
    PropertyChanged("FontColour");
}

bool CommandButton::Enabled() const { return enabled_; }

void CommandButton::TurnOnIfNew() {
    if (firstRun_ != 0) return;
    RefreshFace();
    firstRun_ = 1;
    enabled_ = true;
    ApplyEnabled();
}

void CommandButton::SetEnabled(bool New_Enabled) {
    enabled_ = New_Enabled;
    PropertyChanged("Enabled");
    ApplyEnabled();
}

uint8_t CommandButton::Visible() const { return BackStyle() == 0 ? 0 : 255; }

void CommandButton::SetVisible(uint8_t New_Visible) {
    if (New_Visible == 0) {
        SetBackStyle(0);
    } else {
        SetBackStyle(1);
        RefreshFace();
    }
    PropertyChanged("Visible");
}

void CommandButton::Initialize() {
    state_ = command_button::ButtonState::StateNormal;
    hoverPoll_.SetEnabled(true);
    hoverPoll_.SetInterval(100);
}

void CommandButton::InitializeAll(forms::Container& container) {
    for (forms::ChildControl* child : container.ChildControls()) {
        if (auto* button = dynamic_cast<CommandButton*>(child)) {
            button->Initialize();
        } else if (auto* inner = dynamic_cast<forms::Container*>(child)) {
            InitializeAll(*inner);
        }
    }
}

// ---- Persistence ----

void CommandButton::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    // A value that does not convert (or a colour or style that is not
    // valid) is skipped, and the next key is read.
    if (const auto v = forms::ToBoolean(PropBag.ReadProperty("Enabled", true))) enabled_ = *v;
    if (const auto v = forms::ToText(PropBag.ReadProperty("Caption", "Command1"))) {
        captionLabel_.SetCaption(*v);
    }
    // By value: the face name alone; size, weight and character set stay.
    if (const auto v =
            forms::ToFontName(PropBag.ReadProperty("Font", AmbientFont()->Description()))) {
        captionLabel_.Font()->SetName(*v);
    }
    if (const auto v = forms::ToByte(PropBag.ReadProperty("FirstRun", "1"))) firstRun_ = *v;
    if (const auto v = forms::ToLong(PropBag.ReadProperty("FontColour", "0"))) {
        captionLabel_.SetForeColor(static_cast<uint32_t>(*v));
    }
    if (const auto v = forms::ToInteger(PropBag.ReadProperty("Visible", "1"))) SetBackStyle(*v);
    NameWindowAfterCaption();
    RefreshFace();
}

void CommandButton::UserControl_InitProperties() { NameWindowAfterCaption(); }

void CommandButton::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    PropBag.WriteProperty("Enabled", enabled_, true);
    PropBag.WriteProperty("Caption", captionLabel_.Caption(), "Command");
    PropBag.WriteProperty("FirstRun", firstRun_, "1");
    PropBag.WriteProperty("Font", captionLabel_.Font()->Description(),
                          AmbientFont()->Description());
    PropBag.WriteProperty("FontColour", static_cast<int32_t>(captionLabel_.ForeColor()), "0");
    PropBag.WriteProperty("Visible", BackStyle(), "1");
    RefreshFace();
}

// ---- Events ----

void CommandButton::UserControl_Resize() { ApplyEnabled(); }

void CommandButton::UserControl_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
    React(Event::MouseDown, Button);
}

void CommandButton::UserControl_MouseMove(int /*Button*/, int /*Shift*/, double /*X*/,
                                          double /*Y*/) {
    React(Event::MouseMove);
}

void CommandButton::UserControl_MouseUp(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
    React(Event::MouseUp, Button);
}

void CommandButton::UserControl_GotFocus() { React(Event::GotFocus); }

void CommandButton::UserControl_LostFocus() { React(Event::LostFocus); }

void CommandButton::CaptionLabel_MouseDown(int Button, int Shift, double X, double Y) {
    UserControl_MouseDown(Button, Shift, X, Y);
}

void CommandButton::CaptionLabel_MouseMove(int Button, int Shift, double X, double Y) {
    UserControl_MouseMove(Button, Shift, X, Y);
}

void CommandButton::CaptionLabel_MouseUp(int Button, int Shift, double X, double Y) {
    UserControl_MouseUp(Button, Shift, X, Y);
}

void CommandButton::HoverPoll_Timer() {
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

void CommandButton::MouseLeave() { React(Event::MouseLeave); }

void CommandButton::React(Event event, int button) {
    const command_button::Reaction reaction =
        command_button::React({state_, leftDown_, enabled_}, event, button);
    state_ = reaction.state;
    leftDown_ = reaction.leftDown;
    if (reaction.face) DrawFace(*reaction.face);
    if (reaction.click && Click) Click();
}

// ---- Painting ----

void CommandButton::ApplyEnabled() {
    if (enabled_) {
        DrawFace(Face::Normal);
        captionLabel_.SetEnabled(true);
    } else {
        DrawFace(Face::Disable);
        captionLabel_.SetEnabled(false);
    }
}

void CommandButton::RefreshFace() {
    if (!enabled_) return;
    captionLabel_.SetEnabled(true);
    // Black until the first read of Enabled has turned a new button on.
    // (None of these steps can fail here, so the black text that a failing
    // step would leave never comes up.)
    if (firstRun_ == 0) captionLabel_.SetForeColor(0);
    DrawFace(Face::Normal);
}

const forms::Picture* CommandButton::PictureOf(Face face) const {
    switch (face) {
        case Face::Normal:
            return normalFace_.get();
        case Face::HighLight:
            return highLightFace_.get();
        case Face::Pressed:
            return pressedFace_.get();
        case Face::Disable:
            return disableFace_.get();
        case Face::Selected:
            return selectedFace_.get();
        case Face::HighLightSelect:
            return highLightSelectFace_.get();
    }
    return nullptr;
}

void CommandButton::DrawFace(Face face) {
    gradientReversed_ = command_button::GradientReversedAfter(state_, gradientReversed_);
    const double width = ScaleWidth();  // twips
    const double height = ScaleHeight();
    command_button::MeasureFrame(frameSizes_, width, height);
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
             command_button::FramePieces(frameSizes_, width, height)) {
            picture->Draw(dc, x(piece.x), y(piece.y), x(piece.width), y(piece.height),
                          source(piece.sourceX), source(piece.sourceY), source(piece.sourceWidth),
                          source(piece.sourceHeight));
        }
    }
    Refresh();
    // Across the whole width, centred, a little above the middle; its own
    // height stays.
    captionLabel_.Move(0, command_button::CaptionTop(height, captionLabel_.Height()), width,
                       captionLabel_.Height());
}

void CommandButton::DrawGradient() {
    SetScaleMode(forms::ScaleMode::Pixels);
    const auto gradient = command_button::MakeGradient(
        gradientReversed_, static_cast<int32_t>(ScaleWidth()), static_cast<int32_t>(ScaleHeight()));
    SetScaleMode(forms::ScaleMode::Twips);
    const HDC dc = hdc();
    if (!gradient || dc == nullptr) return;
    TRIVERTEX vertices[2];
    for (int i = 0; i < 2; ++i) {
        const command_button::GradientVertex& v = gradient->vertices[i];
        vertices[i] = TRIVERTEX{v.x, v.y, v.red, v.green, v.blue, v.alpha};
    }
    GRADIENT_RECT mesh = {gradient->upperLeft, gradient->lowerRight};
    // GradientFill, as gdi32 exports it (wingdi.h): msimg32's GradientFill
    // only passes the call on to it, and the program need not load msimg32.
    // https://learn.microsoft.com/en-us/windows/win32/api/wingdi/nf-wingdi-gradientfill
    GdiGradientFill(dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
    Refresh();
}
