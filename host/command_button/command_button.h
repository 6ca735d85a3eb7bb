#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "host/command_button/button_state.h"
#include "host/command_button/face_frame.h"
#include "host/forms/label.h"
#include "host/forms/picture.h"
#include "host/forms/timer.h"
#include "host/forms/user_control.h"

// The host's own push button: a gradient
// face with a frame cut from one of six face pictures (normal, pointer over,
// pressed, disabled, focused, focused with the pointer over), a centred
// caption, and a Click event when a mouse button is released on it. It takes
// the focus on a click and shows it, but no key clicks it.
//
// Its parts, in the order they are made: the hover poll (100 ms, started by
// Initialize), the face pictures HighLight, Pressed and Normal, the caption
// label, the face pictures Disable, HighLightSelect and Selected. The
// pictures are never shown themselves; they are the sources of the frame.
//
// A form places one as a member, with its rectangle in twips in its
// container and the properties the form stores for it:
//   forms::PropertyBag bag;
//   bag.Set("Caption", "設定");
//   bag.Set("Font", forms::FontDescription{...});
//   CommandButton setButton{*this, {4800, 3000, 1095, 375}, bag};
//   ... setButton.Click = [this] { SetButton_Click(); };
// and calls Initialize on it while it loads (InitializeAll).
class CommandButton : public forms::UserControl {
public:
    // `stored`: the properties the form keeps for the button; nothing for a
    // button new on its form.
    CommandButton(forms::Container& parent, forms::TwipsRect rect,
                  std::optional<forms::PropertyBag> stored = std::nullopt);

    // The caption's text.
    std::string Caption() const;
    void SetCaption(const std::string& New_Caption);
    // The caption's font object itself: a change to it shows at once. Set by
    // reference.
    forms::FontRef Font() const;
    void SetFont(forms::FontRef New_Font);
    // The caption's colour, &H00BBGGRR. Setting it repaints an enabled
    // button in its normal look; a colour that is not valid changes nothing
    // but that repaint and notifies no change.
    uint32_t FontColour() const;
    void SetFontColour(uint32_t New_FontColour);
    // The button's own: a disabled button still has its window, and ignores
    // the mouse and the focus itself. Setting it repaints.
    bool Enabled() const;
    void SetEnabled(bool New_Enabled);
    // The background style: 255 opaque, 0 transparent (the face is not
    // shown, the caption is). Any value but 0 makes it opaque.
    uint8_t Visible() const;
    void SetVisible(uint8_t New_Visible);

    // A button new on its form (nothing stored) starts off, with black
    // caption text; what a form designer does on its first look at it turns
    // it on: enabled, the Normal face, and "FirstRun" 1 from then on.
    void TurnOnIfNew();

    // Starts tracking the pointer: the normal state and the hover poll.
    // Does not repaint.
    void Initialize();
    // Initialize for every button on `container`, in whatever container
    // inside it a button sits: what a form holding buttons does as it loads.
    static void InitializeAll(forms::Container& container);

    // Where the pointer and the focus are, as the button last saw them.
    command_button::ButtonState State() const { return state_; }

    // Raised when a mouse button is released on the button (Part of the
    // form's code: SetButton_Click and the like), as the last step of the
    // release's handling.
    std::function<void()> Click;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_MouseDown(int Button, int Shift, double X, double Y) override;
    void UserControl_MouseMove(int Button, int Shift, double X, double Y) override;
    void UserControl_MouseUp(int Button, int Shift, double X, double Y) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;

private:
    // The benchmark times one DrawFace through it.
    friend struct CommandProbe;

    void CaptionLabel_MouseDown(int Button, int Shift, double X, double Y);
    void CaptionLabel_MouseMove(int Button, int Shift, double X, double Y);
    void CaptionLabel_MouseUp(int Button, int Shift, double X, double Y);
    void HoverPoll_Timer();
    void MouseLeave();

    // The window's text is the caption, for assistive technology.
    void NameWindowAfterCaption();
    void ApplyEnabled();
    void RefreshFace();
    void DrawFace(command_button::Face face);
    void DrawGradient();
    // Runs one handler's transitions: the new state, its face, its Click.
    void React(command_button::Event event, int button = 0);
    const forms::Picture* PictureOf(command_button::Face face) const;

    bool gradientReversed_ = false;
    uint8_t firstRun_ = 0;
    bool enabled_ = false;
    command_button::ButtonState state_ = command_button::ButtonState::StateNone;
    bool leftDown_ = false;
    command_button::FrameSizes frameSizes_;

    forms::Timer hoverPoll_;
    forms::PictureRef highLightFace_;
    forms::PictureRef pressedFace_;
    forms::PictureRef normalFace_;
    forms::Label captionLabel_;
    forms::PictureRef disableFace_;
    forms::PictureRef highLightSelectFace_;
    forms::PictureRef selectedFace_;
};
