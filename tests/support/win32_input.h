#pragma once

// Real input through the system (SendInput) for the Windows-side tests. A
// test serving windows of its own waits for what the input does to them with
// PumpUntil (win32_child_process.h).
#include <windows.h>

#include <string>

#include "support/win32_child_process.h"

// Moves the pointer to screen pixel (x, y) and pumps until it is there.
bool MoveMouseTo(int x, int y);
// Presses or releases a mouse button: MOUSEEVENTF_LEFTDOWN and the like.
void SendMouseButton(DWORD flag);
// A press and release of a key.
void TapKey(WORD key);
// Presses and releases the mouse button of `down` (MOUSEEVENTF_LEFTDOWN,
// _RIGHTDOWN or _MIDDLEDOWN) at screen pixel (x, y); false when the pointer
// did not get there.
bool ClickAt(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN);
// Types `text` character by character as the keyboard would (each a
// KEYEVENTF_UNICODE press and release), whatever the keyboard layout.
void TypeText(const std::wstring& text);
