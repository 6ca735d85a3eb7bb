#pragma once

#include <cstdint>
#include <vector>

#include "host/command_button/button_state.h"

// The Command button's six face pictures, 64 x 25 pixels each. Only their
// outer four pixels are ever drawn: an outer light ring, the dark blue
// outline (#003C74) on row 1, row 23, column 1 and column 62 with rounded
// corners, and the rim inside it that tells the looks apart (none for
// Normal, orange for HighLight, blue for Selected). Pressed is sunken, its
// outline one pixel further in; Disable has a grey outline. HighLightSelect
// is the same picture as HighLight.
//
// Generated and committed, as the glow texture is: remake them with
//   build/native/host/resources/glintra_make_button_faces host/resources

constexpr int kFacePixelWidth = 64;
constexpr int kFacePixelHeight = 25;

// Colours 0xRRGGBB.
constexpr uint32_t kOutline = 0x003C74;
constexpr uint32_t kDisabledOutline = 0xC9C7BA;

// The colour at (x, y) of a face, y from the top.
uint32_t FacePixel(command_button::Face face, int x, int y);

// The face as a complete 24-bit BMP file.
std::vector<unsigned char> MakeFaceBitmapFile(command_button::Face face);

// The committed file of a face in host/resources (HighLightSelect shares
// HighLight's).
const char* FaceFileName(command_button::Face face);
