#pragma once

#include <cstdint>
#include <vector>

#include "host/command_button/button_state.h"
#include "host/resources/button_faces.h"

// The Command button's frame, cut from a 64 x 25 pixel face picture in eight
// pieces: the four 4 x 4 corners at their own size, the four edges stretched
// to the button's size. Only the outer four pixels of a face are used; the
// middle of the button is the gradient. Portable.
//
// The sizes are twips, 16-bit as the control has always kept them. The
// stretched edge lengths (width - 120, height - 120) are fields that live
// from one DrawFace to the next: a length that does not fit 16 bits (a
// control wider or taller than 32887 twips) is not stored, the field keeps
// the length of the DrawFace before, and the edges are drawn with it.
//
// A button smaller than 8 pixels (120 twips at 15 twips a pixel) in either
// direction has no room for two 4-pixel corners: its frame is left out
// altogether, and the gradient and the caption fill it.

namespace command_button {

// The picture a face is cut from: the focused look with the pointer over
// (HighLightSelect) shares HighLight's.
FacePicture PictureOfFace(Face face);

// Twips, at 15 to a pixel in the face pictures (on any screen: the pictures'
// pixels are their own).
constexpr double kFaceTwipsPerPixel = 15;
constexpr int16_t kCorner = 60;                                   // 4 pixels
constexpr int16_t kFaceWidth = 960;                               // 64 pixels
constexpr int16_t kFaceHeight = 375;                              // 25 pixels
constexpr int16_t kEdgeSourceWidth = kFaceWidth - 2 * kCorner;    // 840: 56 pixels
constexpr int16_t kEdgeSourceHeight = kFaceHeight - 2 * kCorner;  // 255: 17 pixels
constexpr int16_t kCaptionOffset = 20;

struct FrameSizes {
    int16_t edgeWidth = 0;   // the top and bottom edges' stretched length
    int16_t edgeHeight = 0;  // the side edges'
};

// Stores the stretched lengths for a control of `width` x `height` twips,
// each rounded to a whole twip (halves to even); a length that does not fit
// 16 bits leaves its field as it was.
void MeasureFrame(FrameSizes& sizes, double width, double height);

// One piece: a rectangle of the face picture and where it goes, in twips.
struct FramePiece {
    double sourceX, sourceY, sourceWidth, sourceHeight;
    double x, y, width, height;
};

// The eight pieces in the order they are drawn (top-left corner, top edge,
// top-right corner, right edge, bottom-right corner, bottom edge,
// bottom-left corner, left edge) for a control of `width` x `height` twips.
// None when a stretched length is negative.
std::vector<FramePiece> FramePieces(const FrameSizes& sizes, double width, double height);

// The caption's top in twips: centred, a little above the middle.
double CaptionTop(double height, double captionHeight);

}  // namespace command_button
