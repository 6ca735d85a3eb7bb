#pragma once

#include <string>

#include "host/forms/form.h"
#include "host/forms/timer.h"
#include "host/saver/saver_watch.h"

// The saver form: loaded for a saver run, never shown. Its caption is the
// marker by which a second start finds a running saver. Loading it writes the
// glow texture for the renderer, starts the renderer and the music; its timers
// then keep the music going and watch for the renderer's window, and the run
// ends (music stopped, cursor back, host gone) once that window has gone.
class Glintra_S : public forms::Form {
public:
    Glintra_S();

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode unloadMode) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // Starts RendererPath; false when it could not be started.
    bool StartRenderer();

    std::string RendererPath;
    RendererWatch watch_{false, 0};

    forms::Timer Timer1{*this, 1000, false, [this] { Timer1_Timer(); }};
    forms::Timer Timer2{*this, 200, false, [this] { Timer2_Timer(); }};
    forms::Timer Timer3{*this, 50, true, [this] { Timer3_Timer(); }};
};
