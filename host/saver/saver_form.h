#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "host/forms/form.h"
#include "host/forms/timer.h"
#include "host/music/music_player.h"
#include "host/saver/monitor_covers_win32.h"
#include "host/saver/renderer_watch.h"
#include "host/settings/settings.h"

// The saver form: loaded for a saver run, never shown. Its caption is the
// marker by which a second start finds a running saver. Loading it writes the
// glow texture for the renderer, starts the renderer and the music; its timers
// then keep the music going and watch for the renderer's window, and the run
// ends (music stopped, cursor back, host gone) once that window has gone, or
// the renderer's process has ended. In a run with the switch "S" the other
// monitors than the renderer's are covered black for the run.
class SaverForm : public forms::Form {
public:
    // The run plays what `settings` say. `asScreenSaver`: started with the
    // switch S, as Windows starts a screen saver; start-up has hidden the
    // cursor, which the end of the run shows again.
    SaverForm(Settings settings, bool asScreenSaver);

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode unloadMode) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Mp3Poll_Timer();
    void CdPoll_Timer();
    void RendererPoll_Timer();

    // Starts the renderer (rendererPath_); false when it could not be started.
    bool StartRenderer();
    bool RendererEnded() const;

    const Settings settings_;
    const bool asScreenSaver_;
    MusicPlayer music_;
    std::string rendererPath_;
    RendererWatch watch_{false, 0};
    std::unique_ptr<std::remove_pointer_t<HANDLE>, decltype(&CloseHandle)> rendererProcess_{
        nullptr, &CloseHandle};
    MonitorCovers covers_;

    // Restarts MP3 music that has ended; runs only for MP3 music.
    forms::Timer mp3Poll_{*this, 1000, false, [this] { Mp3Poll_Timer(); }};
    // Keeps a CD going; runs for CD music while the drive answers.
    forms::Timer cdPoll_{*this, 200, false, [this] { CdPoll_Timer(); }};
    // The renderer watch: whether the run is over.
    forms::Timer rendererPoll_{*this, 50, true, [this] { RendererPoll_Timer(); }};
};
