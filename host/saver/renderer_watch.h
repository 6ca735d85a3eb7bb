#pragma once

#include <cstdint>

// When the saver run is over: the host finds the renderer by its window
// title "Glintra_VC", polled every 50 ms, and looks at the process it started.
//
// Starting a process and making an OpenGL window takes far longer than one
// poll (seconds under Wine or on a busy machine), so a window that is not up
// yet must not count as one that has gone: the run would then end, music and
// cursor with it, while the animation runs on alone. The run ends when
//   - a "Glintra_VC" window that was seen has gone,
//   - the renderer could not be started at all, or its process has ended,
//     and no such window is up (a renderer that the user ended while the
//     host was still busy starting the music may never have been seen), or
//   - none has come up within the start-up limit.
// Any window of that title counts, so one left from an earlier run keeps a
// new run alive until it, too, has gone.
class RendererWatch {
public:
    // Long enough for a cold start of the renderer on a loaded machine
    // (a virus scan of the new process, the GL driver's first load), short
    // enough that a renderer that never shows a window does not keep the
    // music going for long.
    static constexpr uint64_t kStartLimitMs = 30000;

    // `startedAtMs` is when the renderer was started, on the clock that
    // later polls are given.
    RendererWatch(bool rendererStarted, uint64_t startedAtMs, uint64_t startLimitMs = kStartLimitMs)
        : started_(rendererStarted), startedAt_(startedAtMs), limit_(startLimitMs) {}

    // One poll: whether a "Glintra_VC" window is up at `nowMs`, and whether
    // the renderer's process has ended. True when the run is over.
    bool RunOver(bool windowUp, bool rendererEnded, uint64_t nowMs);

private:
    bool started_;
    uint64_t startedAt_;
    uint64_t limit_;
    bool seen_ = false;
};
