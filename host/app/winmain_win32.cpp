// Glintra.scr's entry point: start-up, then the forms' message loop until
// the last form is unloaded.
#include <windows.h>

#include "host/forms/application.h"
#include "host/app/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { RunApplication(StartUp); }
