#pragma once

// The renderer's GL set-up and GLUT callbacks. main() in renderer_main.cpp
// wires them up; the frame-rate bench reuses them.

#include <chrono>

// The frames' pace: at most one frame starts in each slot of this length, 60
// frames a second at most, whether or not the driver holds frames to the
// display's refresh.
constexpr std::chrono::nanoseconds kMinFrameInterval{16'666'667};

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
