// Placeholder until the loader lands.
#include "renderer/dib_loader.h"
RgbImage* LoadDibAsRgb(const char*) { return nullptr; }
