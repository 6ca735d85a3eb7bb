#pragma once

#include <vector>

// The program's icon: sparks of six colours circling the centre of a black
// disc, each with a short fading trail, as the saver shows them.

// The sizes the icon file holds, in pixels, smallest first.
constexpr int kIconSizes[] = {16, 32, 48};
// Colours of each picture: an indexed 8-bit palette; index 0 is black, the
// colour under the transparent pixels.
constexpr int kIconColours = 256;

// One picture of the icon: `size` x `size` palette indices, rows top-down,
// and which pixels are transparent (outside the disc).
struct IconPicture {
    int size = 0;
    std::vector<unsigned char> palette;  // kIconColours x R, G, B
    std::vector<unsigned char> indices;  // size * size
    std::vector<bool> transparent;       // size * size
};

// The picture at `size` pixels, drawn in full colour and reduced to
// kIconColours colours.
IconPicture DrawIconPicture(int size);

// A complete .ico file with one 8-bit picture of each of kIconSizes (the
// classic BITMAPINFOHEADER layout with an AND mask, which every Windows reads).
std::vector<unsigned char> MakeIconFile();
