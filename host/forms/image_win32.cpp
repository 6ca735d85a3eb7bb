#include "host/forms/image.h"

#include <utility>

namespace forms {

void Image::SetPicture(PictureRef picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void Image::Paint(HDC dc, const RECT& bounds) {
    if (picture_ == nullptr) return;
    picture_->Draw(dc, bounds.left, bounds.top, picture_->width(), picture_->height(), 0, 0,
                   picture_->width(), picture_->height());
}

}  // namespace forms
