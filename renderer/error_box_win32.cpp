#include "renderer/error_box.h"

#include <windows.h>

// Owned by the window that has the keyboard focus, as the loader's caller
// expects; MessageBoxA runs its own modal loop until OK is pressed.
void ShowErrorBox(const char* text) { MessageBoxA(GetFocus(), text, "Error", MB_OK); }
