#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "host/forms/window_win32.h"

// Black windows over every monitor but the primary, where the renderer's
// full-screen window stands, for as long as a saver run lasts: the other
// monitors go dark instead of showing the desktop, and a click there lands on
// a cover rather than on a program's window, which would take the keyboard
// from the renderer, whose Escape is the only way out.
//
// A cover never becomes active and never takes the focus. It has no pointer
// of its own, and the saver run has hidden the host's. The covers go with
// this object, or with the process.
class MonitorCovers {
public:
    MonitorCovers();
    ~MonitorCovers();
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // Covers every monitor but the primary as the monitors stand now: after
    // a monitor was connected, removed or rearranged (WM_DISPLAYCHANGE), the
    // covers follow.
    void Cover();

private:
    class CoverWindow;
    std::vector<std::unique_ptr<CoverWindow>> windows_;
};
