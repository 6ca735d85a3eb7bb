#pragma once

#include <cstdint>
#include <vector>

// The Command button's face pictures, 64 x 25 pixels each. Only their
// outer four pixels are ever drawn: an outer light ring, the dark blue
// outline (#003C74) on row 1, row 23, column 1 and column 62 with rounded
// corners, and the rim inside it that tells the looks apart (none for
// Normal, orange for HighLight, blue for Selected). Pressed is sunken, its
// outline one pixel further in; Disable has a grey outline. The button's
// sixth look, focused with the pointer over, shows the HighLight picture.
//
// Generated and committed, as the glow texture is: remake them with
//   build/native/host/resources/glintra_make_button_faces host/resources

constexpr int kFacePixelWidth = 64;
constexpr int kFacePixelHeight = 25;

// Colours 0xRRGGBB.
constexpr uint32_t kOutline = 0x003C74;
constexpr uint32_t kDisabledOutline = 0xC9C7BA;

enum class FacePicture : uint8_t { Normal, HighLight, Pressed, Disable, Selected };
constexpr FacePicture kFacePictures[] = {FacePicture::Normal, FacePicture::HighLight,
                                         FacePicture::Pressed, FacePicture::Disable,
                                         FacePicture::Selected};

// The colour at (x, y) of a face picture, y from the top.
uint32_t FacePixel(FacePicture picture, int x, int y);

// The picture as a complete 24-bit BMP file.
std::vector<unsigned char> MakeFaceBitmapFile(FacePicture picture);

// The committed file of a picture in host/resources.
const char* FaceFileName(FacePicture picture);
