#pragma once

#include "host/forms/picture.h"
#include "host/forms/windowless_control.h"

namespace forms {

// A windowless picture: drawn at its own size from the image's top-left
// corner, never stretched, cut at the image's edges. Without a picture it
// shows nothing and its container shows through; it still takes the mouse.
class Image : public WindowlessControl {
public:
    Image(Container& parent, TwipsRect rect) : WindowlessControl(parent, rect) {}

    PictureRef Picture() const { return picture_; }
    // Shares `picture`: kindMarks(i) showing markPictures(1)'s picture holds the
    // same object.
    void SetPicture(PictureRef picture);

private:
    void Paint(HDC dc, const RECT& bounds) override;

    PictureRef picture_;
};

}  // namespace forms
