// The Windows-side tests' hands and eyes on the X display their programs run
// on: a Linux program that they start through Wine (RunUnixCommand), for
// what Wine's own functions do not reach. Input through the X server (XTest)
// passes the window manager as a user's does, where SendInput stays inside
// Wine; and the pointer as X shows it, where GetCursorInfo tells only the
// foreground thread's.
//
//   x11_desktop_probe move X Y      the pointer to root pixel X, Y
//   x11_desktop_probe click X Y     there, then a left click
//   x11_desktop_probe key NAME      a press and release of the keysym NAME
//   x11_desktop_probe pointer-shows exit status 0 when a pointer shows, 1 when none
//
// Exit status 0 when done, 2 for a wrong command line, 3 without a display.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/x11_desktop.h"

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    X11Desktop desktop;
    if (!desktop.ok()) return 3;
    if ((command == "move" || command == "click") && argc == 4) {
        desktop.MovePointer(std::atoi(argv[2]), std::atoi(argv[3]));
        if (command == "click") desktop.Click(1);
        return 0;
    }
    if (command == "key" && argc == 3) {
        const KeySym key = XStringToKeysym(argv[2]);
        if (key == NoSymbol) return 2;
        desktop.TapKey(key);
        return 0;
    }
    if (command == "pointer-shows" && argc == 2) return desktop.CursorVisible() ? 0 : 1;
    std::fprintf(stderr, "usage: %s move|click X Y | key NAME | pointer-shows\n", argv[0]);
    return 2;
}
