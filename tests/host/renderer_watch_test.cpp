// The renderer watch's rule: when a saver run is over.
#include <gtest/gtest.h>

#include "host/saver/renderer_watch.h"

namespace {

constexpr uint64_t kStart = 5000;  // any clock reading: the rule looks at differences
constexpr uint64_t kLimit = RendererWatch::kStartLimitMs;

// A slow start: 50 ms polls without a window right up to the limit keep the
// run going, and the window's coming and going ends it at the first poll
// that misses it.
TEST(RendererWatch, WaitsForASlowStartThenEndsWhenTheWindowGoes) {
    RendererWatch watch(true, kStart);
    uint64_t now = kStart;
    for (; now < kStart + kLimit; now += 50) {
        ASSERT_FALSE(watch.RunOver(false, false, now)) << "ended " << now - kStart << " ms in";
    }
    EXPECT_FALSE(watch.RunOver(true, false, now));
    EXPECT_FALSE(watch.RunOver(true, false, now + 60000));  // no limit once the window is up
    EXPECT_TRUE(watch.RunOver(false, false, now + 60050));
}

TEST(RendererWatch, EndsWhenNoWindowCameWithinTheStartLimit) {
    RendererWatch watch(true, kStart);
    EXPECT_FALSE(watch.RunOver(false, false, kStart + kLimit - 1));
    EXPECT_TRUE(watch.RunOver(false, false, kStart + kLimit));
    // A clock that went back does not count as time passed.
    RendererWatch early(true, kStart);
    EXPECT_FALSE(early.RunOver(false, false, kStart - 1));
}

// A renderer that could not start, or whose process ended before its window
// was ever seen (the user ended it while the host was still opening the
// music), ends the run at the first poll, not at the start limit.
TEST(RendererWatch, EndsAtOnceWhenTheRendererCouldNotStartOrHasEnded) {
    RendererWatch notStarted(false, kStart);
    EXPECT_TRUE(notStarted.RunOver(false, false, kStart));
    RendererWatch ended(true, kStart);
    EXPECT_FALSE(ended.RunOver(false, false, kStart + 50));
    EXPECT_TRUE(ended.RunOver(false, true, kStart + 100));
}

// Any window of the title counts: one left from an earlier run keeps the run
// alive, also when this run's renderer could not start or has ended, until it
// goes.
TEST(RendererWatch, AWindowLeftFromAnEarlierRunKeepsTheRunUntilItGoes) {
    for (bool started : {true, false}) {
        for (bool ended : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "started " << started << ", ended " << ended);
            RendererWatch watch(started, kStart);
            EXPECT_FALSE(watch.RunOver(true, ended, kStart));
            EXPECT_FALSE(watch.RunOver(true, ended, kStart + 50));
            EXPECT_TRUE(watch.RunOver(false, ended, kStart + 100));
        }
    }
}

}  // namespace
