#pragma once

// Real input through the system (SendInput) for the Windows-side tests, and
// the message pump that a test serving windows of its own runs while it
// waits for what the input does to them.
#include <windows.h>

#include <functional>

// Dispatches this thread's messages, as a message loop would, until `done`
// holds (true) or `seconds` have passed (false). `dispatch` handles each
// message (a form toolkit's loop step); by default TranslateMessage and
// DispatchMessage.
bool PumpUntil(const std::function<bool()>& done, double seconds, void (*dispatch)(MSG&) = nullptr);
void PumpFor(double seconds, void (*dispatch)(MSG&) = nullptr);

// Moves the pointer to screen pixel (x, y) and pumps until it is there.
bool MoveMouseTo(int x, int y);
// Presses or releases a mouse button: MOUSEEVENTF_LEFTDOWN and the like.
void SendMouseButton(DWORD flag);
// A press and release of a key.
void TapKey(WORD key);
