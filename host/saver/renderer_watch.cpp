#include "host/saver/renderer_watch.h"

bool RendererWatch::RunOver(bool windowUp, bool rendererEnded, uint64_t nowMs) {
    if (windowUp) {
        seen_ = true;
        return false;
    }
    if (seen_ || !started_ || rendererEnded) return true;
    // A clock that went back (it shouldn't) counts as no time passed.
    return nowMs >= startedAt_ && nowMs - startedAt_ >= limit_;
}
