#pragma once

#include <windows.h>

#include <memory>

namespace forms {

class Picture;
// Pictures are shared: an image that shows another image's picture holds
// the same object.
using PictureRef = std::shared_ptr<const Picture>;

// A bitmap that forms and controls draw from: the picture of an image
// control, or one of a user control's hidden source pictures.
class Picture {
public:
    // Takes over `bitmap`, which it deletes.
    explicit Picture(HBITMAP bitmap);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // A BITMAP resource of the program, as a DIB section; nullptr when there
    // is none.
    static PictureRef FromResource(int id);

    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Copies the source rectangle of the picture to the destination
    // rectangle of `dc`: unchanged when the sizes agree, stretched or shrunk
    // by dropping or repeating whole pixels (COLORONCOLOR) when not, never
    // blended and never transparent. A rectangle with no area draws nothing
    // (a negative size would mirror the picture).
    void Draw(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY,
              int sourceWidth, int sourceHeight) const;

private:
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace forms
