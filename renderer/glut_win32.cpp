#include "renderer/glut_win32.h"

#include <cstdio>
#include <cstdlib>

// One window, one thread. WindowProc hands every message of the window to the
// Window object; the main loop runs rounds of "drain the message queue, redraw
// if a redisplay was posted, call the idle callback". Only the keyboard
// callback runs inside the window procedure, as in GLUT. Paints and size
// changes just set flags for the next round, so that the display callback is
// never entered from a modal loop (a message box's) or before the program has
// set up its GL state.

namespace {

constexpr char kClassName[] = "GLUT";
constexpr int kWindowNumber = 1;  // GLUT numbers windows from 1; 0 means none.

// An OpenGL window must clip its children and siblings:
// https://learn.microsoft.com/en-us/windows/win32/api/wingdi/nf-wingdi-setpixelformat
constexpr DWORD kClipStyles = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW | kClipStyles;
constexpr DWORD kFrameExStyles =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

using ExitFunction = void (*)(int);

// What exists before the window: GLUT's initial settings and global callbacks.
struct Toolkit {
    bool initialized = false;
    int initWidth = 300;
    int initHeight = 300;
    unsigned displayMode = GLUT_RGB | GLUT_SINGLE | GLUT_DEPTH;
    ExitFunction exitFunction = nullptr;
    void (*idle)() = nullptr;
};

struct Window {
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The deferred work of one round: the default reshape, then the display.
    void RunPendingWork();

    HWND hwnd = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    bool doubleBuffered = false;
    int width = 0;
    int height = 0;
    bool reshapePending = false;
    bool redisplayPending = false;
    int cursor = GLUT_CURSOR_INHERIT;
    void (*display)() = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
};

Toolkit toolkit;
Window window;

[[noreturn]] void Exit(int status) {
    if (toolkit.exitFunction != nullptr) toolkit.exitFunction(status);
    std::exit(status);
}

// GLUT's fatal errors end the program with status 1. The program has no
// console output, so the reason goes into a message box.
[[noreturn]] void Fatal(const char* text) {
    MessageBoxA(nullptr, text, "GLUT", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    Exit(1);
}

void RequireInit(const char* caller) {
    if (toolkit.initialized) return;
    char text[160];
    std::snprintf(text, sizeof text, "%s called before glutInit.", caller);
    Fatal(text);
}

Window& RequireWindow(const char* caller) {
    if (window.hwnd == nullptr) {
        char text[160];
        std::snprintf(text, sizeof text, "%s called with no current window.", caller);
        Fatal(text);
    }
    return window;
}

// Null for GLUT_CURSOR_NONE: SetCursor(NULL) removes the cursor from the screen.
HCURSOR CursorHandle(int cursor) {
    switch (cursor) {
        case GLUT_CURSOR_NONE:
            return nullptr;
        case GLUT_CURSOR_WAIT:
            return LoadCursor(nullptr, IDC_WAIT);
        case GLUT_CURSOR_TEXT:
            return LoadCursor(nullptr, IDC_IBEAM);
        case GLUT_CURSOR_CROSSHAIR:
        case GLUT_CURSOR_FULL_CROSSHAIR:
            return LoadCursor(nullptr, IDC_CROSS);
        default:
            return LoadCursor(nullptr, IDC_ARROW);
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            width = LOWORD(lParam);
            height = HIWORD(lParam);
            reshapePending = true;
            return 0;
        case WM_PAINT: {
            // Validating is what stops Windows from sending WM_PAINT again and
            // again (and, under Wine, without BeginPaint no GL frame reaches the
            // X display); the frame itself is drawn by the next round of the loop.
            // https://learn.microsoft.com/en-us/windows/win32/gdi/wm-paint
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            redisplayPending = true;
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // GL paints every pixel; a GDI erase would only flicker.
        case WM_SETCURSOR:
            // The system sets the cursor at every mouse move over the window, to
            // the class cursor unless the window answers this message:
            // https://learn.microsoft.com/en-us/windows/win32/menurc/wm-setcursor
            if (LOWORD(lParam) == HTCLIENT && cursor != GLUT_CURSOR_INHERIT) {
                SetCursor(CursorHandle(cursor));
                return TRUE;
            }
            break;
        case WM_CHAR:
            if (keyboard != nullptr) {
                POINT mouse = {0, 0};
                GetCursorPos(&mouse);
                ScreenToClient(hwnd, &mouse);
                keyboard(static_cast<unsigned char>(wParam), mouse.x, mouse.y);
            }
            return 0;
        case WM_CLOSE:
            Exit(0);  // GLUT's answer to the window being closed from outside.
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Window::RunPendingWork() {
    if (reshapePending) {
        reshapePending = false;
        glViewport(0, 0, width, height);  // GLUT's default reshape
    }
    if (redisplayPending) {
        // Cleared first, so that the display callback may post the next frame.
        redisplayPending = false;
        if (display != nullptr) display();
    }
}

// ChoosePixelFormat returns the nearest format the driver has, which may lack
// what was asked for; GLUT treats a mode it cannot have as fatal.
void SetUpPixelFormat(HDC dc, unsigned mode) {
    PIXELFORMATDESCRIPTOR wanted = {};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (mode & GLUT_DOUBLE) wanted.dwFlags |= PFD_DOUBLEBUFFER;
    wanted.iPixelType = (mode & GLUT_INDEX) ? PFD_TYPE_COLORINDEX : PFD_TYPE_RGBA;
    wanted.cColorBits = (mode & GLUT_INDEX) ? 8 : 24;
    wanted.cAlphaBits = (mode & GLUT_ALPHA) ? 8 : 0;
    wanted.cDepthBits = (mode & GLUT_DEPTH) ? 24 : 0;
    wanted.cStencilBits = (mode & GLUT_STENCIL) ? 8 : 0;
    wanted.iLayerType = PFD_MAIN_PLANE;

    const int format = ChoosePixelFormat(dc, &wanted);
    PIXELFORMATDESCRIPTOR got = {};
    const bool found = format != 0 && DescribePixelFormat(dc, format, sizeof got, &got) != 0 &&
                       (got.dwFlags & wanted.dwFlags) == wanted.dwFlags &&
                       got.iPixelType == wanted.iPixelType &&
                       (wanted.cAlphaBits == 0 || got.cAlphaBits > 0) &&
                       (wanted.cDepthBits == 0 || got.cDepthBits > 0) &&
                       (wanted.cStencilBits == 0 || got.cStencilBits > 0);
    if (!found) Fatal("No pixel format has the capabilities of the requested display mode.");
    if (!SetPixelFormat(dc, format, &got)) Fatal("The window's pixel format cannot be set.");
}

void RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // OpenGL keeps the pixel format and context on one DC for the window's
    // life: https://learn.microsoft.com/en-us/windows/win32/winmsg/window-class-styles
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExA(&windowClass) == 0) Fatal("The window class cannot be registered.");
}

}  // namespace

extern "C" {

void glutInitWindowSize(int width, int height) {
    toolkit.initWidth = width;
    toolkit.initHeight = height;
}

void glutInitDisplayMode(unsigned int mode) { toolkit.displayMode = mode; }

// GLUT's command-line options (-geometry, -iconic ...) are not supported; the
// arguments are left as they are.
void __glutInitWithExit(int* /*argcp*/, char** /*argv*/, void (*exitfunc)(int)) {
    toolkit.exitFunction = exitfunc;
    if (toolkit.initialized) Fatal("glutInit called twice.");
    toolkit.initialized = true;
}

int __glutCreateWindowWithExit(const char* title, void (*exitfunc)(int)) {
    toolkit.exitFunction = exitfunc;
    RequireInit("glutCreateWindow");
    if (window.hwnd != nullptr) Fatal("This GLUT supports only one window.");

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(instance);
    // The initial size is the client area's; the frame comes on top of it.
    RECT frame = {0, 0, toolkit.initWidth, toolkit.initHeight};
    AdjustWindowRectEx(&frame, kWindowedStyle, FALSE, 0);
    CreateWindowExA(0, kClassName, title, kWindowedStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                    &window);
    if (window.hwnd == nullptr || !IsWindow(window.hwnd)) {
        window.hwnd = nullptr;
        Fatal("The window cannot be created.");
    }

    window.dc = GetDC(window.hwnd);
    SetUpPixelFormat(window.dc, toolkit.displayMode);
    PIXELFORMATDESCRIPTOR format = {};
    DescribePixelFormat(window.dc, GetPixelFormat(window.dc), sizeof format, &format);
    window.doubleBuffered = (format.dwFlags & PFD_DOUBLEBUFFER) != 0;
    window.context = wglCreateContext(window.dc);
    if (window.context == nullptr || !wglMakeCurrent(window.dc, window.context)) {
        Fatal("No OpenGL rendering context can be made for the window.");
    }

    // Shown and activated at once, so that the keyboard reaches it from the
    // start; a process that the foreground process started may take the
    // foreground:
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-setforegroundwindow
    ShowWindow(window.hwnd, SW_SHOW);
    SetForegroundWindow(window.hwnd);
    RECT client;
    GetClientRect(window.hwnd, &client);
    window.width = client.right;
    window.height = client.bottom;
    window.reshapePending = true;
    return kWindowNumber;
}

void glutFullScreen(void) {
    Window& w = RequireWindow("glutFullScreen");
    // A popup window without frame, at the primary monitor's origin (0, 0) and
    // of its size. In a DPI-aware process these are the monitor's pixels.
    const LONG_PTR style = GetWindowLongPtrA(w.hwnd, GWL_STYLE);
    SetWindowLongPtrA(w.hwnd, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
    const LONG_PTR exStyle = GetWindowLongPtrA(w.hwnd, GWL_EXSTYLE);
    SetWindowLongPtrA(w.hwnd, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(kFrameExStyles));
    // New styles take effect only with SWP_FRAMECHANGED:
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-setwindowlongptra
    SetWindowPos(w.hwnd, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

void glutSetCursor(int cursor) {
    Window& w = RequireWindow("glutSetCursor");
    w.cursor = cursor;
    // Windows asks for the cursor only when the mouse moves; one that rests
    // over the client area gets the new cursor now.
    POINT mouse;
    RECT client;
    if (GetCursorPos(&mouse) && WindowFromPoint(mouse) == w.hwnd &&
        ScreenToClient(w.hwnd, &mouse) && GetClientRect(w.hwnd, &client) &&
        PtInRect(&client, mouse)) {
        SetCursor(CursorHandle(cursor));
    }
}

void glutDisplayFunc(void (*func)(void)) { RequireWindow("glutDisplayFunc").display = func; }

void glutKeyboardFunc(void (*func)(unsigned char, int, int)) {
    RequireWindow("glutKeyboardFunc").keyboard = func;
}

void glutIdleFunc(void (*func)(void)) { toolkit.idle = func; }

void glutPostRedisplay(void) { RequireWindow("glutPostRedisplay").redisplayPending = true; }

void glutSwapBuffers(void) {
    Window& w = RequireWindow("glutSwapBuffers");
    glFlush();
    if (w.doubleBuffered) SwapBuffers(w.dc);
}

void glutMainLoopEvent(void) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) Exit(static_cast<int>(message.wParam));
        TranslateMessage(&message);  // WM_KEYDOWN -> WM_CHAR
        DispatchMessageA(&message);
    }
    if (window.hwnd != nullptr) window.RunPendingWork();
    if (toolkit.idle != nullptr) toolkit.idle();
}

void glutMainLoop(void) {
    for (;;) {
        glutMainLoopEvent();
        // Nothing to do until a message comes: sleep instead of spinning.
        // MWMO_INPUTAVAILABLE also wakes for messages that arrived during the
        // round, which WaitMessage would sleep through:
        // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-msgwaitformultipleobjectsex
        if (toolkit.idle == nullptr && !window.redisplayPending) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
}

int glutGetWindow(void) { return window.hwnd != nullptr ? kWindowNumber : 0; }

int glutGet(GLenum state) {
    switch (state) {
        case GLUT_WINDOW_WIDTH:
            return window.width;
        case GLUT_WINDOW_HEIGHT:
            return window.height;
        case GLUT_SCREEN_WIDTH:
            return GetSystemMetrics(SM_CXSCREEN);
        case GLUT_SCREEN_HEIGHT:
            return GetSystemMetrics(SM_CYSCREEN);
        case GLUT_INIT_WINDOW_WIDTH:
            return toolkit.initWidth;
        case GLUT_INIT_WINDOW_HEIGHT:
            return toolkit.initHeight;
        case GLUT_INIT_DISPLAY_MODE:
            return static_cast<int>(toolkit.displayMode);
        default:
            return -1;
    }
}

}  // extern "C"
