#pragma once

#include <functional>

namespace forms {

class Window;

// A timer owned by a window (a form, a picture box, a user control): a
// window-message timer on the owner's window, so its ticks run on the
// user-interface thread between other messages. It ticks while it is enabled
// with an interval and while its owner's timers may tick (a form: while it is
// loaded; a control: while its window and its form are there).
//
// Ticks never overlap: a tick that comes while any timer's handler is still
// running (in a message box's loop, say) is dropped. Ticks wait while the
// host's start-up procedure or a form's Form_Load runs, and the ones that
// came meanwhile run once it has returned to the message loop.
class Timer {
public:
    // `tick` is the handler, for example [this] { RendererPoll_Timer(); }. An
    // interval of 0 never ticks, whatever Enabled says.
    Timer(Window& owner, unsigned intervalMs, bool enabled, std::function<void()> tick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    // Enabling an enabled timer (or disabling a disabled one) changes
    // nothing: a running count goes on, so a handler that enables its own
    // timer on every tick keeps the interval.
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    // Restarts the count, as SetTimer does for a running timer.
    void SetInterval(unsigned intervalMs);

private:
    friend class Window;
    friend class LoadingScope;

    // Starts or stops the system timer to match the properties, when the
    // owner has its window.
    void Arm();
    void Tick();

    Window& owner_;
    unsigned interval_;
    bool enabled_;
    std::function<void()> tick_;
    bool deferred_ = false;
};

// While one exists, timer ticks wait (see Timer). The toolkit holds one
// around the start-up procedure and around each Form_Load.
class LoadingScope {
public:
    LoadingScope();
    ~LoadingScope();
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

    static bool Active();

    // A modal loop inside loading code (a form shown modally from the
    // start-up procedure) lets the timers tick again while it runs: the user
    // is at the form by then.
    class Suspended {
    public:
        Suspended();
        ~Suspended();
        Suspended(const Suspended&) = delete;
        Suspended& operator=(const Suspended&) = delete;

    private:
        int depth_;
    };

private:
    static void RunDeferred();
};

}  // namespace forms
