// Placeholder until the X11 box lands.
#include "renderer/error_box.h"
#include <cstdio>
void ShowErrorBox(const char* text) { std::fputs(text, stderr); }
