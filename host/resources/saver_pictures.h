#pragma once

// Resource ids of the saver form's pictures in Glintra.scr
// (saver_pictures.rc; shared by the script and the code).

// The glow texture as a complete BMP file (RCDATA), written out unchanged for
// the renderer. glow.bmp is the output of glintra_make_glow, committed so that
// the Windows build needs no native tool: remake it with
//   build/native/host/resources/glintra_make_glow host/resources/glow.bmp
#define IDR_GLOW_BITMAP 201
