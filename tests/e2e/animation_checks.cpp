#include "e2e/animation_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// The first frames may still be drawn at the window's first size, and all
// sprites start on a few points; samples are spaced so the sprites have
// moved on between them.
constexpr int kSettlingFrames = 10;
constexpr int kMeasuredFrames = 8;
constexpr int kFramesPerSample = 4;

}  // namespace

void CheckAnimationFillsTheScreen(ScreenImage& frame,
                                  const std::function<bool(ScreenImage&)>& waitForNewFrame,
                                  const std::string& screenshotName) {
    ASSERT_TRUE(waitForNewFrame(frame)) << "the picture does not change";
    for (int i = 0; i < kSettlingFrames; ++i) ASSERT_TRUE(waitForNewFrame(frame));
    std::vector<ScreenImage> frames;
    for (int i = 0; i < kMeasuredFrames * kFramesPerSample; ++i) {
        ASSERT_TRUE(waitForNewFrame(frame));
        if (i % kFramesPerSample == 0) frames.push_back(frame);
    }
    EXPECT_TRUE(SaveScreenshot(frame, screenshotName));

    const LightLayout light = MeasureLight(frames);
    ASSERT_GT(light.total, 0);
    std::printf(
        "light: centroid %.3f %.3f; edges %.3f %.3f %.3f %.3f; corners %.3f %.3f %.3f %.3f\n",
        light.centroidX, light.centroidY, light.edgeShare[0], light.edgeShare[1],
        light.edgeShare[2], light.edgeShare[3], light.cellShare[0][0], light.cellShare[0][2],
        light.cellShare[2][0], light.cellShare[2][2]);
    EXPECT_NEAR(light.centroidX, 0.5, 0.1);
    EXPECT_NEAR(light.centroidY, 0.5, 0.1);
    const char* sides[] = {"left", "right", "top", "bottom"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(light.edgeShare[i], 0.002) << "the " << sides[i] << " edge stays dark";
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_GT(light.cellShare[r][c], 0.01) << r << "," << c;
    }
}
