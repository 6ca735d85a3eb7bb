// Our GLUT subset under Wine: a real window, real messages and input, a real
// WGL context. The process makes one window as the renderer does (main, at
// the end) and notes what glutCreateWindow made of it; a case that needs the
// window as it was made puts it back so first (the full-screen case changes
// it), so the cases run in any order. Ending the program (window closed,
// fatal error) is seen from outside, on this program started again as a
// child in one of its child modes.
#include "renderer/glut_win32.h"

#include <gtest/gtest.h>

#include "support/win32_child_process.h"
#include "support/win32_input.h"
#include "shared/program_contract.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kTitle = kRendererWindowTitle;
constexpr char kChildTitle[] = "glut_win32_test child";
constexpr int kInitWidth = 320;
constexpr int kInitHeight = 240;
// A child ends with this plus the status that GLUT gave its exit function.
constexpr int kViaExitFunction = 40;
constexpr int kMainLoopReturned = 99;

struct KeyPress {
    unsigned char key;
    int x;
    int y;
    bool operator==(const KeyPress& o) const { return key == o.key && x == o.x && y == o.y; }
};

struct Recorded {
    int displays = 0;
    int idles = 0;
    std::vector<KeyPress> keys;
    GLint viewport[4] = {};  // as the last display call saw it
};

Recorded recorded;
HWND window = nullptr;

// The window as glutCreateWindow left it, noted before any case ran.
struct Created {
    bool foreground = false;
    bool visible = false;
    bool topLevel = false;
    RECT client = {};
    RECT frame = {};
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
} created;

void RecordDisplay() {
    ++recorded.displays;
    glGetIntegerv(GL_VIEWPORT, recorded.viewport);
}

void RecordKey(unsigned char key, int x, int y) { recorded.keys.push_back({key, x, y}); }

// What the renderer's idle callback does: ask for the next frame.
void IdleAskingForAFrame() {
    ++recorded.idles;
    glutPostRedisplay();
}

void DrawRedFrame() {
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
}

// Runs rounds until `done`, for at most about two seconds: input from the
// X server or another process takes a moment to arrive.
template <typename Done>
bool RunRoundsUntil(Done done) {
    for (int i = 0; i < 400; ++i) {
        glutMainLoopEvent();
        if (done()) return true;
        Sleep(5);
    }
    return false;
}

// Drains whatever earlier steps left pending, then starts counting afresh.
void Settle();

// Puts the window back as glutCreateWindow made it (framed, of its first
// size, off the screen's origin) and in front.
void RestoreCreatedWindow() {
    SetWindowLongPtrA(window, GWL_STYLE, created.style);
    SetWindowLongPtrA(window, GWL_EXSTYLE, created.exStyle);
    SetWindowPos(window, HWND_TOP, created.frame.left, created.frame.top,
                 created.frame.right - created.frame.left, created.frame.bottom - created.frame.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    RunRoundsUntil([] { return GetForegroundWindow() == window; });
    Settle();
}

void Settle() {
    glutIdleFunc(nullptr);
    for (int i = 0; i < 50; ++i) {
        const int before = recorded.displays;
        glutMainLoopEvent();
        if (recorded.displays == before) break;
    }
    recorded = Recorded();
}

// Moves the mouse as a user would, so that Windows asks the window under it
// for a cursor; returns once the move has been handled.
bool MovePointerTo(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
    return RunRoundsUntil([&] {
        POINT p;
        return GetCursorPos(&p) && p.x == x && p.y == y;
    });
}

TEST(GlutWindowTest, IsATopLevelWindowWithTheExactTitleShownInTheForeground) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, kTitle), window);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, kTitle);  // FindWindowA ignores case
    EXPECT_TRUE(created.topLevel);
    EXPECT_TRUE(created.visible);
    EXPECT_TRUE(created.foreground);
    EXPECT_EQ(glutGetWindow(), 1);

    // The initial size is the client area's, as in GLUT.
    EXPECT_EQ(created.client.right, kInitWidth);
    EXPECT_EQ(created.client.bottom, kInitHeight);
    RestoreCreatedWindow();
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), kInitWidth);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), kInitHeight);
}

TEST(GlutWindowTest, HasACurrentContextOnAPixelFormatOfTheDisplayMode) {
    EXPECT_NE(wglGetCurrentContext(), nullptr);
    ASSERT_NE(glGetString(GL_RENDERER), nullptr);
    EXPECT_GT(std::strlen(reinterpret_cast<const char*>(glGetString(GL_RENDERER))), 0u);

    HDC dc = wglGetCurrentDC();
    PIXELFORMATDESCRIPTOR format = {};
    ASSERT_NE(DescribePixelFormat(dc, GetPixelFormat(dc), sizeof format, &format), 0);
    EXPECT_EQ(format.iPixelType, PFD_TYPE_RGBA);
    EXPECT_TRUE(format.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_TRUE(format.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_GE(format.cColorBits, 24);
    EXPECT_GT(format.cDepthBits, 0);
}

TEST(GlutKeyboardTest, CharacterReachesTheCallbackWithTheMouseInClientCoordinates) {
    RestoreCreatedWindow();
    // Windowed, the client area does not start at the screen's origin, so a
    // position left in screen coordinates would show.
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    ASSERT_TRUE(SetCursorPos(origin.x + 10, origin.y + 20));
    PostMessageA(window, WM_CHAR, 'x', 0);
    ASSERT_TRUE(RunRoundsUntil([] { return !recorded.keys.empty(); }));
    EXPECT_EQ(recorded.keys, (std::vector<KeyPress>{{'x', 10, 20}}));
}

TEST(GlutKeyboardTest, RealKeyPressesArriveAsTheirCharacters) {
    RestoreCreatedWindow();
    ASSERT_EQ(GetForegroundWindow(), window);
    TapKey('A');
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(RunRoundsUntil([] { return recorded.keys.size() >= 2; }));
    ASSERT_EQ(recorded.keys.size(), 2u);
    EXPECT_EQ(recorded.keys[0].key, 'a');
    EXPECT_EQ(recorded.keys[1].key, 27);  // the renderer's only key
}

TEST(GlutLoopTest, RedisplaysPostedTogetherGiveOneDisplayInTheNextRound) {
    Settle();
    glutPostRedisplay();
    glutPostRedisplay();
    glutPostRedisplay();
    EXPECT_EQ(recorded.displays, 0);  // never from inside glutPostRedisplay
    glutMainLoopEvent();
    EXPECT_EQ(recorded.displays, 1);
    glutMainLoopEvent();
    EXPECT_EQ(recorded.displays, 1);
}

TEST(GlutLoopTest, PaintRequestGivesOneDisplayAndValidatesTheWindow) {
    Settle();
    InvalidateRect(window, nullptr, FALSE);
    glutMainLoopEvent();
    EXPECT_EQ(recorded.displays, 1);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    glutMainLoopEvent();
    EXPECT_EQ(recorded.displays, 1);
}

TEST(GlutLoopTest, IdleRunsEveryRoundAndTheFrameItAsksForComesInTheNext) {
    Settle();
    glutIdleFunc(IdleAskingForAFrame);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    EXPECT_EQ(recorded.idles, 5);
    EXPECT_EQ(recorded.displays, 4);

    glutIdleFunc(nullptr);
    glutMainLoopEvent();  // draws the frame the last idle call asked for
    glutMainLoopEvent();
    EXPECT_EQ(recorded.idles, 5);
    EXPECT_EQ(recorded.displays, 5);
}

// A GDI read of the screen at a point, once it has become `expected`, or as
// it is after a second. Under Wine it reads the window's own copy of its
// pixels; what X shows is glut_win32_screen_test.sh's business.
COLORREF ScreenPixelOnceItIs(POINT at, COLORREF expected) {
    COLORREF pixel = CLR_INVALID;
    for (int i = 0; i < 100 && pixel != expected; ++i) {
        if (i > 0) Sleep(10);
        HDC screen = GetDC(nullptr);
        pixel = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
    }
    return pixel;
}

TEST(GlutLoopTest, AFrameShowsWhenItIsSwappedAndNotBefore) {
    RestoreCreatedWindow();
    POINT centre = {kInitWidth / 2, kInitHeight / 2};
    ClientToScreen(window, &centre);
    glutDisplayFunc(DrawRedFrame);
    glutPostRedisplay();
    glutMainLoopEvent();
    glutDisplayFunc(RecordDisplay);
    EXPECT_EQ(ScreenPixelOnceItIs(centre, RGB(255, 0, 0)), RGB(255, 0, 0));

    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    Sleep(100);
    EXPECT_EQ(ScreenPixelOnceItIs(centre, RGB(255, 0, 0)), RGB(255, 0, 0));
    glutSwapBuffers();
    EXPECT_EQ(ScreenPixelOnceItIs(centre, RGB(0, 255, 0)), RGB(0, 255, 0));
}

TEST(GlutFullScreenTest, CoversThePrimaryMonitorWithoutFrameAndReshapesBeforeDrawing) {
    RestoreCreatedWindow();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    glutFullScreen();
    ASSERT_TRUE(RunRoundsUntil([] { return recorded.displays > 0; }));

    // The primary monitor is the one at (0, 0); no frame: the client area is all of it.
    RECT rect, client;
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    const RECT screen = {0, 0, width, height};
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_TRUE(EqualRect(&client, &screen));

    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_EXSTYLE) & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE));
    EXPECT_TRUE(IsWindowVisible(window));

    // The default reshape ran before the frame was drawn.
    EXPECT_EQ(std::vector<GLint>(recorded.viewport, recorded.viewport + 4),
              (std::vector<GLint>{0, 0, width, height}));
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), width);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), height);
}

TEST(GlutCursorTest, NoneHidesTheCursorOverTheWindowAndOtherShapesShow) {
    RestoreCreatedWindow();
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    RECT client;
    GetClientRect(window, &client);
    const int x = client.right / 2;
    const int y = client.bottom / 2;

    glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
    ASSERT_TRUE(MovePointerTo(x, y));
    EXPECT_EQ(GetCursor(), arrow);

    // Applied at once while the mouse rests over the window ...
    glutSetCursor(GLUT_CURSOR_NONE);
    EXPECT_EQ(GetCursor(), nullptr);

    // ... and kept when the mouse moves, whatever set the cursor meanwhile.
    SetCursor(arrow);
    ASSERT_TRUE(MovePointerTo(x + 7, y + 5));
    EXPECT_EQ(GetCursor(), nullptr);
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetCursorInfo(&info));
    EXPECT_EQ(info.hCursor, nullptr);

    // Inherit leaves the cursor to Windows: the class arrow.
    glutSetCursor(GLUT_CURSOR_INHERIT);
    SetCursor(nullptr);
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), arrow);
    glutSetCursor(GLUT_CURSOR_NONE);
}

// ---- Ending the program, seen from outside --------------------------------

[[noreturn]] void ExitThroughTheProgram(int status) { ExitProcess(kViaExitFunction + status); }

// A GLUT program as the renderer is one, with an exit function that tells in
// the exit status that it was the one called. Modes: "run" draws red frames
// in a window; "index" asks for colour index, which no driver under test
// offers; "fullscreen" is "run" full screen, for glut_win32_screen_test.sh to
// look at, and ends by itself after a minute should nobody end it.
int RunChild(const char* mode, int argc, char** argv) {
    glutInitWindowSize(kInitWidth, kInitHeight);
    __glutInitWithExit(&argc, argv, ExitThroughTheProgram);
    const bool index = std::strcmp(mode, "index") == 0;
    glutInitDisplayMode(index ? GLUT_INDEX | GLUT_DOUBLE : GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    __glutCreateWindowWithExit(kChildTitle, ExitThroughTheProgram);
    if (std::strcmp(mode, "fullscreen") == 0) {
        glutFullScreen();
        glutSetCursor(GLUT_CURSOR_NONE);
    }
    glutDisplayFunc(DrawRedFrame);
    glutIdleFunc([] {
        static const DWORD start = GetTickCount();
        if (GetTickCount() - start > 60000) ExitThroughTheProgram(2);
        glutPostRedisplay();
    });
    glutMainLoop();
    return kMainLoopReturned;
}

// This program started again in one of its child modes.
class Child : public ChildProcess {
public:
    explicit Child(const char* mode)
        : ChildProcess(SelfPath(), std::string("--child ") + mode, false) {}

    // The exit status, or -1 when the child has not ended within ten seconds.
    int WaitForExit() const {
        const std::optional<DWORD> status = ChildProcess::WaitForExit(10);
        return status ? static_cast<int>(*status) : -1;
    }

private:
    static std::string SelfPath() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        return path;
    }
};

// Waits up to ten seconds for a top-level window of that class and title.
HWND WaitForWindow(const char* className, const char* title) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowA(className, title)) != nullptr; }, 10);
    return found;
}

TEST(GlutProgramEndTest, WindowClosedFromOutsideEndsThroughTheExitFunctionWithStatusZero) {
    Child child("run");
    ASSERT_TRUE(child.started()) << "the test program could not start a copy of itself, error "
                                 << child.startError();
    HWND childWindow = WaitForWindow(nullptr, kChildTitle);
    ASSERT_NE(childWindow, nullptr);
    Sleep(200);  // let it draw frames, as the renderer does when the host closes it
    PostMessageA(childWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(), kViaExitFunction + 0);
}

TEST(GlutProgramEndTest, MissingPixelFormatShowsAMessageAndEndsThroughTheExitFunctionWithOne) {
    Child child("index");
    ASSERT_TRUE(child.started()) << "the test program could not start a copy of itself, error "
                                 << child.startError();
    HWND box = WaitForWindow("#32770", "GLUT");  // the dialog class of message boxes
    ASSERT_NE(box, nullptr);
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text control
    EXPECT_NE(std::strstr(text, "pixel format"), nullptr) << text;
    // Waiting for the user: the program ends only after OK.
    Sleep(200);
    EXPECT_TRUE(child.Running());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.WaitForExit(), kViaExitFunction + 1);
}

// This program embeds the renderer's manifest (glut_win32_test.rc), so what
// the manifest does to a process shows here.
TEST(RendererManifestTest, MakesTheProcessPerMonitorDpiAware) {
    EXPECT_TRUE(IsProcessDPIAware());
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) return RunChild(argv[2], argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // The one window of the test process, made as the renderer makes its own:
    // through the plain names and their macros.
    glutInitWindowSize(kInitWidth, kInitHeight);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(kTitle);
    glutKeyboardFunc(RecordKey);
    glutDisplayFunc(RecordDisplay);
    window = WindowFromDC(wglGetCurrentDC());
    created.foreground = GetForegroundWindow() == window;
    created.visible = IsWindowVisible(window) != FALSE;
    created.topLevel = GetAncestor(window, GA_PARENT) == GetDesktopWindow();
    GetClientRect(window, &created.client);
    GetWindowRect(window, &created.frame);
    created.style = GetWindowLongPtrA(window, GWL_STYLE);
    created.exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    return RUN_ALL_TESTS();
}
