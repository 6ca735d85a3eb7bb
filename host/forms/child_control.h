#pragma once

#include <windows.h>

#include "host/forms/twips.h"

namespace forms {

class Container;

// A control with a window of its own inside a container: a picture box, a
// user control, or (wrapping a window of the system's) an editable drop-down
// list. Its rectangle is twips in the container's inner area, turned into
// pixels with the real screen's twips per pixel; its identifier is unique
// among its container's children.
//
// A concrete control is a member of the form or user control that holds it,
// built with a reference to its container before the container's window
// exists: the container makes the children's windows, in the order they were
// built, right after its own.
class ChildControl {
public:
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    Container& Parent() const { return parent_; }
    int Id() const { return id_; }
    virtual HWND ChildHandle() const = 0;

    const TwipsRect& Rect() const { return rect_; }
    void Move(double left, double top, double width, double height);

    // The keyboard's order through the form (Tab and Shift+Tab): lowest
    // first, across all the form's containers; by default the order the
    // controls were built in. A control with TabStop false is passed over.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index) { tabIndex_ = index; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop) { tabStop_ = stop; }

protected:
    ChildControl(Container& parent, TwipsRect rect);
    virtual ~ChildControl();

    // Makes the control's window in `parentWindow`; false when it can't.
    virtual bool CreateWindowIn(HWND parentWindow, const PixelRect& pixels, int id) = 0;
    // WM_CTLCOLOR* of a window of the system's: when `part` is (a part of)
    // this control, sets the colours into `dc` and gives the background
    // brush; nullptr leaves the system's colours.
    virtual HBRUSH ColoursFor(HWND /*part*/, HDC /*dc*/) { return nullptr; }

private:
    friend class Container;

    Container& parent_;
    TwipsRect rect_;
    int id_;
    int tabIndex_;
    bool tabStop_ = true;
};

}  // namespace forms
