#include "host/saver/saver_form.h"

#include <windows.h>

#include <cctype>
#include <utility>

#include "host/forms/application.h"
#include "host/forms/text_win32.h"
#include "host/resources/saver_pictures.h"
#include "host/saver/link_safe_file_win32.h"
#include "shared/program_contract.h"

namespace {

// The music file's kind by its last three characters, upper-cased.
std::string Ending(const std::string& file) {
    std::string ending = file.size() >= 3 ? file.substr(file.size() - 3) : file;
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ending;
}

// Windows may start a screen saver at idle priority. The music that the host
// plays would then stutter under load.
// https://learn.microsoft.com/en-us/windows/win32/procthread/scheduling-priorities
void RaiseToNormalPriority() {
    const DWORD priority = GetPriorityClass(GetCurrentProcess());
    if (priority == IDLE_PRIORITY_CLASS || priority == BELOW_NORMAL_PRIORITY_CLASS) {
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    }
}

// Writes the embedded glow picture for the renderer, replacing the file
// there, unless its folder or the file is a link: any local user may make
// the folder, and the saver must not overwrite whatever a link of theirs
// points at with the rights of whoever runs it.
void WriteGlowBitmap() {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_GLOW_BITMAP), RT_RCDATA);
    if (found == nullptr) return;
    const HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(nullptr, found);
    if (bytes == nullptr || size == 0) return;
    WriteFileWithoutFollowingLinks(forms::WideFromUtf8(kGlowBitmapFolder),
                                   forms::WideFromUtf8(kGlowBitmapPath), bytes, size);
}

}  // namespace

SaverForm::SaverForm(Settings settings, bool asScreenSaver)
    : Form(kSaverFormCaption), settings_(std::move(settings)), asScreenSaver_(asScreenSaver) {}

bool SaverForm::StartRenderer() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    // The program's quoted path alone: no arguments.
    std::string commandLine = "\"" + rendererPath_ + "\"";
    // NORMAL_PRIORITY_CLASS: Windows may start a screen saver at idle
    // priority, which a child inherits by default, and a starved renderer
    // stutters.
    // https://learn.microsoft.com/en-us/windows/win32/procthread/process-creation-flags
    // CREATE_NO_WINDOW: the renderer is a console program, and started from a
    // GUI host it would get a console window of its own behind the
    // animation. It writes nothing that anyone could read there.
    // CREATE_SUSPENDED: it may take the foreground (below) before it runs.
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(rendererPath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    // The host shows no window of its own, so Windows would not let the
    // renderer's window come to the foreground by its descent alone; without
    // the foreground, Escape would go to the program the user left.
    // https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-allowsetforegroundwindow
    AllowSetForegroundWindow(process.dwProcessId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    rendererProcess_.reset(process.hProcess);
    return true;
}

bool SaverForm::RendererEnded() const {
    return rendererProcess_ != nullptr &&
           WaitForSingleObject(rendererProcess_.get(), 0) == WAIT_OBJECT_0;
}

void SaverForm::Form_Load() {
    if (asScreenSaver_) covers_.Cover();
    RaiseToNormalPriority();
    WriteGlowBitmap();

    const std::string folder = AppFolder();
    rendererPath_ = folder + kRendererFile;
    const bool started = !folder.empty() && StartRenderer();
    watch_ = RendererWatch(started, GetTickCount64());

    if (settings_.kind == 1) {
        music_.OpenCD();
        cdPoll_.SetEnabled(true);
    } else if (settings_.kind == 2) {
        const std::string ending = Ending(settings_.file);
        if (ending == "WAV") {
            music_.PlayWAV(settings_.file);
        } else if (ending == "MP3") {
            music_.PlayMP3(settings_.file);
            mp3Poll_.SetEnabled(true);
        }
    }
}

void SaverForm::Mp3Poll_Timer() { music_.CheckMP3Repeat(); }

void SaverForm::CdPoll_Timer() {
    music_.CheckCDRepeat(settings_.repeat);
    cdPoll_.SetEnabled(music_.CDActive());
}

void SaverForm::RendererPoll_Timer() {
    const bool windowUp = FindWindowA(nullptr, kRendererWindowTitle) != nullptr;
    if (!watch_.RunOver(windowUp, RendererEnded(), GetTickCount64())) return;
    rendererPoll_.SetEnabled(false);
    Unload();
}

LRESULT SaverForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Sent to every top-level window, hidden ones too, when a monitor was
    // connected, removed or rearranged.
    // https://learn.microsoft.com/en-us/windows/win32/gdi/wm-displaychange
    if (message == WM_DISPLAYCHANGE && asScreenSaver_) covers_.Cover();
    return Form::OnMessage(message, wParam, lParam);
}

void SaverForm::Form_QueryUnload(bool& /*cancel*/, forms::UnloadMode /*unloadMode*/) {
    // A CD timer that switched itself off saw the drive stop answering: the
    // CD is not stopped then.
    if (cdPoll_.Enabled()) {
        cdPoll_.SetEnabled(false);
        music_.StopCD();
    }
    if (settings_.kind == 2) {
        const std::string ending = Ending(settings_.file);
        if (ending == "WAV") {
            music_.StopWAV();
        } else if (ending == "MP3") {
            music_.StopMP3();
        }
    }
    if (asScreenSaver_) ShowCursor(TRUE);
    End();
}
