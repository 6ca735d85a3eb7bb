#include "renderer/renderer_platform.h"

#include <windows.h>

#include <GL/gl.h>
#include <mmsystem.h>

#include "renderer/gl_extensions.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

using GetExtensionsStringArb = const char*(WINAPI*)(HDC);
using GetExtensionsStringExt = const char*(WINAPI*)();
using SwapIntervalExt = BOOL(WINAPI*)(int);

template <typename Function>
Function GlFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

// The WGL extensions of the current context's driver.
const char* WglExtensions() {
    if (auto arb = GlFunction<GetExtensionsStringArb>("wglGetExtensionsStringARB")) {
        return arb(wglGetCurrentDC());
    }
    if (auto ext = GlFunction<GetExtensionsStringExt>("wglGetExtensionsStringEXT")) return ext();
    return nullptr;
}

// A waitable timer as fine as the system offers. Windows 10 1803 and later
// have high-resolution timers; before, the system's timer granularity (15.6 ms
// by default) is lowered to 1 ms for the process.
// https://learn.microsoft.com/en-us/windows/win32/api/synchapi/nf-synchapi-createwaitabletimerexw
// https://learn.microsoft.com/en-us/windows/win32/api/timeapi/nf-timeapi-timebeginperiod
HANDLE FineTimer() {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    if (timer != nullptr) return timer;
    timeBeginPeriod(1);
    return CreateWaitableTimerW(nullptr, FALSE, nullptr);
}

}  // namespace

void RequestVsync() {
    if (!ExtensionListHas(WglExtensions(), "WGL_EXT_swap_control")) return;
    if (auto swapInterval = GlFunction<SwapIntervalExt>("wglSwapIntervalEXT")) swapInterval(1);
}

void KeepWindowAboveOthers() {
    const HWND window = WindowFromDC(wglGetCurrentDC());
    if (window == nullptr) return;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SleepUntil(std::chrono::steady_clock::time_point deadline) {
    static const HANDLE timer = FineTimer();
    for (;;) {
        const auto remaining = deadline - std::chrono::steady_clock::now();
        if (remaining <= remaining.zero()) return;
        // Relative due times are negative, in units of 100 ns.
        const auto ticks =
            std::chrono::ceil<std::chrono::duration<long long, std::ratio<1, 10000000>>>(remaining);
        LARGE_INTEGER due;
        due.QuadPart = -ticks.count();
        if (timer == nullptr || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
            Sleep(static_cast<DWORD>(
                std::chrono::ceil<std::chrono::milliseconds>(remaining).count()));
            continue;
        }
        WaitForSingleObject(timer, INFINITE);
    }
}
