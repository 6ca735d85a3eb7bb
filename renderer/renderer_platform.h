#pragma once

#include <chrono>

// What the renderer asks of its platform beyond GLUT: a frame pace that holds
// whatever the driver does, and a window in front of every other. Defined per
// platform (renderer_platform_win32.cpp, renderer_platform_x11.cpp); the
// tests link a recording definition.

// Asks the driver to show each frame at the display's next refresh (vsync),
// where it offers that. Called with the window's GL context current.
void RequestVsync();

// Makes the current GL window stand above always-on-top windows, as the
// system's own screen savers do, so that no such window shows over the run.
void KeepWindowAboveOthers();

// Returns at `deadline`, not sooner, and not much later: fine enough to pace
// frames at 60 a second without stutter.
void SleepUntil(std::chrono::steady_clock::time_point deadline);
