#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "host/forms/back_buffer_win32.h"
#include "host/forms/colour.h"
#include "host/forms/font.h"
#include "host/forms/mouse_event.h"
#include "host/forms/mouse_router_win32.h"
#include "host/forms/twips.h"
#include "host/forms/window_win32.h"

namespace forms {

class ChildControl;
class Form;
class WindowlessControl;

enum class ScaleMode {
    Twips,
    Pixels,
};

// A window that holds controls: a form, a picture box or a user control.
//
// - Its persistent image (AutoRedraw): what the program draws through hdc(),
//   Cls() and Line() stays, and is shown on every WM_PAINT and
//   WM_PRINTCLIENT, with the windowless controls painted over it in z-order.
//   Refresh() shows it at once.
// - Its windowless controls (WindowlessControl) and its child controls
//   (ChildControl) join it when they are built.
// - The mouse: to the windowless control under the pointer, or to the
//   container's own events (OnMouse), as its MouseRouter decides.
// - Its font is the one that controls placed on it start with, and the
//   ambient font of the user controls on it.
class Container : public Window {
public:
    FontRef Font() const { return font_; }
    // By reference: the container holds `font` itself.
    void SetFont(FontRef font);

    uint32_t BackColor() const { return backColor_; }
    // False, changing nothing, for a colour that is not valid.
    bool SetBackColor(uint32_t colour);

    // The unit of ScaleWidth, ScaleHeight and Line. The controls' positions
    // are twips whatever it says.
    ScaleMode GetScaleMode() const { return scaleMode_; }
    void SetScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    // The inner size, in the scale unit.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // The persistent image's device context, the image made at the inner
    // size on first use; nullptr before the window exists.
    HDC hdc();
    // Clears the persistent image to the back colour.
    void Cls();
    // A line in `colour` from (x1, y1) up to, not including, (x2, y2), in the
    // scale unit, into the persistent image.
    void Line(double x1, double y1, double x2, double y2, uint32_t colour);
    // Shows the persistent image and the controls now.
    void Refresh();

    // The form the container is on; itself for a form, nullptr for a
    // container on none.
    virtual Form* ParentForm() = 0;

    const std::vector<ChildControl*>& ChildControls() const { return children_; }

protected:
    Container();
    ~Container() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The mouse where no windowless control takes it: Form_MouseDown,
    // UserControl_MouseMove, ...; x and y are twips in the container.
    virtual void OnMouse(MouseAction /*action*/, const MouseEvent& /*event*/) {}
    // The inner size changed (WM_SIZE).
    virtual void OnResize() {}
    // False for a container whose own image is not shown (a user control
    // with a transparent background): what lies behind it shows instead.
    virtual bool ShowsOwnImage() const { return true; }

    // Makes the windows of the child controls, in the order they were built.
    void CreateChildControls();
    // Starts or stops the timers of this container and everything in it.
    void ArmAllTimers();
    TwipsPerPixel Twips() const { return twips_; }

private:
    friend class ChildControl;
    friend class WindowlessControl;
    friend class MouseRouter;

    void Add(WindowlessControl* control);
    void Remove(WindowlessControl* control);
    void Invalidate(const WindowlessControl* control);
    void Add(ChildControl* child);
    void Remove(ChildControl* child);
    int NextChildId() { return nextChildId_++; }

    void Paint(HDC target);
    // Paints the image (or what lies behind) and the windowless controls
    // with this container's top-left corner at `origin` in `dc`.
    void PaintContent(HDC dc, POINT origin);
    void PaintBehind(HDC dc, POINT origin);
    // The windowless control that takes the mouse at `pixel`, top first.
    WindowlessControl* ControlAt(POINT pixel) const;
    double FromScaleX(double value) const;
    double FromScaleY(double value) const;

    FontRef font_;
    uint32_t backColor_ = kButtonFace;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    TwipsPerPixel twips_;
    BackBuffer image_;
    std::vector<WindowlessControl*> controls_;  // z-order, bottom first
    std::vector<ChildControl*> children_;       // the order they were built
    int nextChildId_ = 1;
    MouseRouter mouse_{*this};
};

}  // namespace forms
