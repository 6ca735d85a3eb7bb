#pragma once

// Real input through the system (SendInput) for the Windows-side tests. A
// test serving windows of its own waits for what the input does to them with
// PumpUntil (win32_child_process.h).
#include <windows.h>

#include "e2e/win32_child_process.h"

// Moves the pointer to screen pixel (x, y) and pumps until it is there.
bool MoveMouseTo(int x, int y);
// Presses or releases a mouse button: MOUSEEVENTF_LEFTDOWN and the like.
void SendMouseButton(DWORD flag);
// A press and release of a key.
void TapKey(WORD key);
