#pragma once

#include <windows.h>

#include <functional>

#include "host/forms/mouse_event.h"
#include "host/forms/twips.h"

namespace forms {

class Container;

// A control without a window of its own (a label, an image, a shape): its
// container paints it over the container's own image, in z-order, finds it
// under the pointer and hands it the mouse. Being no window, the pointer over
// it counts as over its container (WindowFromPoint names the container).
//
// Its rectangle is twips in its container's inner area. A concrete control
// is a member of the form or user control that holds it and is built with a
// reference to its container; it joins the top of the z-order.
class WindowlessControl {
public:
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;

    Container& Parent() const { return parent_; }

    const TwipsRect& Rect() const { return rect_; }
    double Left() const { return rect_.left; }
    double Top() const { return rect_.top; }
    double Width() const { return rect_.width; }
    double Height() const { return rect_.height; }
    void Move(double left, double top, double width, double height);
    void SetLeft(double left) { Move(left, rect_.top, rect_.width, rect_.height); }
    void SetTop(double top) { Move(rect_.left, top, rect_.width, rect_.height); }
    void SetWidth(double width) { Move(rect_.left, rect_.top, width, rect_.height); }
    // The rectangle in pixels of the container's inner area.
    PixelRect PixelBounds() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A disabled control is drawn so (a label greys its text), and the
    // mouse over it goes to its container instead.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // To the top (true) or the bottom of the z-order.
    void ZOrder(bool toFront = true);

    // Mouse events, while the control is visible and enabled. The control
    // where a button went down gets every move and release until the last
    // button is up, wherever the pointer goes. A control array gives each
    // element a handler that passes its index on:
    //   kindLabels[i].MouseDown = [this, i](const MouseEvent& e) {
    //       KindLabel_MouseDown(i, e.button, e.shift, e.x, e.y); };
    std::function<void(const MouseEvent&)> MouseDown;
    std::function<void(const MouseEvent&)> MouseMove;
    std::function<void(const MouseEvent&)> MouseUp;

protected:
    WindowlessControl(Container& parent, TwipsRect rect);
    virtual ~WindowlessControl();

    // Asks the container to paint the control again.
    void Invalidate();
    // Whether the pointer over the control is the control's. A shape never
    // takes it; the others while visible and enabled.
    virtual bool TakesMouse() const { return visible_ && enabled_; }

private:
    friend class Container;
    // Paints the control into `dc`, its rectangle being `bounds` there;
    // drawing is clipped to it.
    virtual void Paint(HDC dc, const RECT& bounds) = 0;

    Container& parent_;
    TwipsRect rect_;
    bool visible_ = true;
    bool enabled_ = true;
};

}  // namespace forms
