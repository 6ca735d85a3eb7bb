#include "support/win32_input.h"

#include "support/win32_child_process.h"

bool MoveMouseTo(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/ns-winuser-mouseinput
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    return PumpUntil(
        [&] {
            POINT p;
            return GetCursorPos(&p) && p.x == x && p.y == y;
        },
        5);
}

void SendMouseButton(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
}

void TapKey(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

bool ClickAt(int x, int y, DWORD down) {
    if (!MoveMouseTo(x, y)) return false;
    // The press and the release carry the place themselves, as a mouse's
    // do: under Wine a window just shown may still hear of an earlier pointer
    // place from the X server after the move above, and a bare press would
    // go there.
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | down;
    // Each button's release flag is the one above its press flag.
    inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (down << 1);
    SendInput(1, &inputs[0], sizeof(INPUT));
    SendInput(1, &inputs[1], sizeof(INPUT));
    return true;
}

void TypeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = inputs[1].ki.wScan = c;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }
}
