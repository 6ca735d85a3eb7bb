#pragma once

// Where the host writes the glow texture and the renderer reads it. On
// Windows the path is fixed; the native build uses the same folder name
// under /tmp.
#ifdef _WIN32
constexpr const char kGlowBitmapPath[] = "C:\\q_vane\\Glintra.bmp";
#else
constexpr const char kGlowBitmapPath[] = "/tmp/q_vane/Glintra.bmp";
#endif
