#pragma once

// The renderer's GL set-up and GLUT callbacks. main() in renderer_main.cpp
// wires them up; the frame-rate bench reuses them.

#include <chrono>
#include <optional>

// The frames' pace: at most one frame starts in each slot of this length, 60
// frames a second at most, whether or not the driver holds frames to the
// display's refresh.
constexpr std::chrono::nanoseconds kMinFrameInterval{16'666'667};

// The animation moves one step a frame. Without vsync (a common driver
// default) frames would come as fast as the GPU draws them: a busy GPU and
// core for hours, an animation several times too fast, and its re-colouring
// a full-screen flash many times a second. So frames keep to slots
// kMinFrameInterval apart, and one that comes before its slot waits for it;
// on a 60 Hz display with vsync that wait never comes.
//
// A frame that starts late does not move the slots after it: with vsync on a
// 75 or 144 Hz display each frame starts at a refresh, and timing each from
// the last start would drop to 37.5 or 48 frames a second. One more than a
// whole slot late (a busy machine) starts the slots afresh, so that no burst
// of frames follows to catch up.
class FrameSlots {
public:
    using Clock = std::chrono::steady_clock;
    // When a frame asked for at `now` starts: `now`, or the start of its slot
    // when that is later. The first frame starts at once.
    Clock::time_point StartOf(Clock::time_point now);

private:
    std::optional<Clock::time_point> next_;  // the next frame's slot
};

// Initialises GLUT and opens the full-screen window "Glintra_VC" with the
// cursor hidden, asks for vsync and puts the window above always-on-top
// windows: the first steps of the program, before any callback.
void CreateRendererWindow(int* argc, char** argv);
// Reads the glow bitmap and uploads it as the current texture; ends the
// process with status 1 when the bitmap does not load.
void LoadTexture();
// Texture, blending and projection: the fixed GL state of every frame.
void InitGL();
// Display callback: clear, draw the field, advance it, swap; waits first
// when the frame comes before its slot (kMinFrameInterval).
void OnDisplay();
// Idle callback: ask for the next frame at once.
void OnIdle();
// Keyboard callback: Escape ends the program with status 0.
void OnKeyboard(unsigned char key, int x, int y);
