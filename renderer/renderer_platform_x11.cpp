#include "renderer/renderer_platform.h"

#include <GL/glx.h>

#include <thread>

#include "renderer/gl_extensions.h"

namespace {

using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesaOrSgi = int (*)(int);

// GLX hands out an entry point for any name, offered or not: the extension
// string says which are real.
template <typename Function>
Function GlxFunction(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

void RequestVsync() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) return;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (ExtensionListHas(extensions, "GLX_EXT_swap_control")) {
        if (auto swapInterval = GlxFunction<SwapIntervalExt>("glXSwapIntervalEXT")) {
            swapInterval(display, drawable, 1);
        }
    } else if (ExtensionListHas(extensions, "GLX_MESA_swap_control")) {
        if (auto swapInterval = GlxFunction<SwapIntervalMesaOrSgi>("glXSwapIntervalMESA")) {
            swapInterval(1);
        }
    } else if (ExtensionListHas(extensions, "GLX_SGI_swap_control")) {
        if (auto swapInterval = GlxFunction<SwapIntervalMesaOrSgi>("glXSwapIntervalSGI")) {
            swapInterval(1);
        }
    }
}

// freeglut's full screen asks the window manager for the full-screen state,
// which stacks the window above the others while it has the focus.
void KeepWindowAboveOthers() {}

// The monotonic clock's absolute sleep (clock_nanosleep) is fine already.
void SleepUntil(std::chrono::steady_clock::time_point deadline) {
    std::this_thread::sleep_until(deadline);
}
