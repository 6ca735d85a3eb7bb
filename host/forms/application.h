#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/forms/form.h"

// The running host as a whole: its folder and command line, its message
// boxes, its run from start-up to end, and the pointer shown over all its
// windows.

// The folder that holds the running program, without a trailing backslash
// (except at a drive root), in the ANSI code page: its name, or else its
// short (8.3) name, exactly. Empty when neither can be written in that code
// page: the host then has no folder of its own to find anything in.
std::string AppFolder();

// The command line as Windows passed it, without the program's path and the
// one blank that follows it; UTF-16, as the system keeps it.
std::u16string CommandLine();

// A message box with an OK button and no icon under `title`; returns when the
// user has closed it. Both texts are UTF-8 and are shown as UTF-16.
void MsgBox(const std::string& text, const std::string& title);

// Runs `startUp` (the host's start-up), then handles messages for as long as
// a form is loaded, and ends the process when none is left. The form that
// `startUp` returns, if any, lives as long as the application. Timer ticks
// wait until `startUp` has returned. COM is initialised (apartment-threaded)
// on the thread for the application's life, as the shell's functions ask.
[[noreturn]] void RunApplication(const std::function<std::unique_ptr<forms::Form>()>& startUp);

// The application-wide mouse pointer: while it is not the default, every
// window of the host shows it wherever the pointer is over them, whatever
// the window's own pointer; the default gives each window its own back.
// A change shows at once, even while the host is busy and handles no
// messages (the hourglass around a slow call).
enum class MousePointer {
    Default = 0,
    Hourglass = 11,
};
void SetMousePointer(MousePointer pointer);
MousePointer CurrentMousePointer();

// Ends the host on the spot: COM released, the process exits with status 0,
// and no form event (QueryUnload, Unload) or timer tick runs any more.
[[noreturn]] void End();
