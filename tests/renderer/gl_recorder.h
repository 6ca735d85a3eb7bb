#pragma once

// A recording stand-in for the GL, GLU and GLUT calls of the renderer, and
// for what it asks of its platform (renderer_platform.h). Linked instead of
// the real libraries, it keeps every call in order, with the time it came.
// Its SleepUntil sleeps for real.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

struct GlCall {
    // clang-format off
    enum Kind {
        Begin, End, Color3f, TexCoord2d, Vertex3f,  // the particle field
        BindTexture, TexParameteri, PixelStorei, TexImage2D, Enable, BlendFunc, MatrixMode,
        LoadIdentity, Perspective, Translatef, ShadeModel, ClearColor, Clear,  // GL state, frame
        InitWindowSize, Init, InitDisplayMode, CreateWindow, FullScreen, SetCursor, SwapBuffers,
        PostRedisplay,  // GLUT
        RequestVsync, KeepWindowAboveOthers, SleepUntil,  // the platform
    } kind = Begin;
    // clang-format on
    unsigned mode = 0;  // the first enum (or int) argument: Begin's primitive, a target, a cap
    double a = 0, b = 0, c = 0, d = 0;         // the numeric arguments, in order
    unsigned e1 = 0, e2 = 0, e3 = 0;           // further enum arguments, in order
    std::string text;                          // CreateWindow's title
    std::vector<unsigned char> pixels;         // TexImage2D's, width * height * 3 bytes
    std::chrono::steady_clock::time_point at;     // when the call came
    std::chrono::steady_clock::time_point until;  // SleepUntil's deadline
};

std::vector<GlCall>& RecordedGlCalls();
// Runs at each glutSwapBuffers, after the call is recorded: what the program
// holds at the moment its frame is shown. Empty: nothing runs.
std::function<void()>& OnSwapBuffers();
