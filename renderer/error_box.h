#pragma once

// Shows `text` in a modal message box captioned "Error" with a single OK
// button and returns once the user has dismissed it. Defined once per
// platform (error_box_win32.cpp, error_box_x11.cpp); tests link a recording
// definition instead.
void ShowErrorBox(const char* text);
