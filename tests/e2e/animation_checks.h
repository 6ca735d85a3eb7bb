#pragma once

#include <functional>
#include <string>

#include "support/screen_image.h"

// Waits for the animation to settle, samples it, saves `screenshotName` and
// checks with GoogleTest assertions that the picture changes from frame to
// frame and that its light is centred on the screen and reaches every edge
// and every cell of a 3 x 3 grid (the field circles the centre and is
// stretched to the whole screen). `waitForNewFrame` replaces its argument
// with the next different capture, false when none comes in time. On return
// `frame` holds the latest capture; callers check HasFatalFailure().
void CheckAnimationFillsTheScreen(ScreenImage& frame,
                                  const std::function<bool(ScreenImage&)>& waitForNewFrame,
                                  const std::string& screenshotName);
