// Glintra.scr's entry point: the start-up procedure Main, then the forms'
// message loop until the last form is unloaded.
#include <windows.h>

#include "host/forms/application.h"
#include "host/saver/glintra_b.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { RunApplication(Main); }
