#include "host/saver/glintra_s.h"

#include <windows.h>

#include <cctype>

#include "host/forms/application.h"
#include "host/forms/text_win32.h"
#include "host/music/music_player.h"
#include "host/resources/saver_pictures.h"
#include "host/saver/command_line.h"
#include "host/saver/glintra_b.h"
#include "host/saver/link_safe_file_win32.h"
#include "host/saver/settings.h"
#include "shared/program_contract.h"

namespace {

// The music file's kind by its last three characters, upper-cased.
std::string Ending(const std::string& file) {
    std::string ending = file.size() >= 3 ? file.substr(file.size() - 3) : file;
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ending;
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

Glintra_S::Glintra_S() : Form(kSaverFormCaption) {}

bool Glintra_S::StartRenderer() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    // The program's quoted path alone: no arguments.
    std::string commandLine = "\"" + RendererPath + "\"";
    // NORMAL_PRIORITY_CLASS: Windows may start a screen saver at idle
    // priority, which a child inherits by default, and a starved renderer
    // stutters.
    // https://learn.microsoft.com/en-us/windows/win32/procthread/process-creation-flags
    // CREATE_NO_WINDOW: the renderer is a console program, and started from a
    // GUI host it would get a console window of its own behind the
    // animation. It writes nothing that anyone could read there.
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(RendererPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    // The renderer is known by its window title alone.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void Glintra_S::Form_Load() {
    WriteGlowBitmap();

    const std::string folder = AppFolder();
    RendererPath = folder + kRendererFile;
    const bool started = !folder.empty() && StartRenderer();
    watch_ = RendererWatch(started, GetTickCount64());

    if (BGMKind == 1) {
        OpenCD();
        Timer2.SetEnabled(true);
    } else if (BGMKind == 2) {
        const std::string ending = Ending(BGMFile);
        if (ending == "WAV") {
            PlayWAV();
        } else if (ending == "MP3") {
            PlayMP3();
            Timer1.SetEnabled(true);
        }
    }
}

void Glintra_S::Timer1_Timer() { CheckMP3Repeat(); }

void Glintra_S::Timer2_Timer() {
    CheckCDRepeat();
    Timer2.SetEnabled(CDActive);
}

void Glintra_S::Timer3_Timer() {
    const bool windowUp = FindWindowA(nullptr, kRendererWindowTitle) != nullptr;
    if (!watch_.RunOver(windowUp, GetTickCount64())) return;
    Timer3.SetEnabled(false);
    Unload();
}

void Glintra_S::Form_QueryUnload(bool& /*cancel*/, forms::UnloadMode /*unloadMode*/) {
    // A CD timer that switched itself off saw the drive stop answering: the
    // CD is not stopped then.
    if (Timer2.Enabled()) {
        Timer2.SetEnabled(false);
        StopCD();
    }
    if (BGMKind == 2) {
        const std::string ending = Ending(BGMFile);
        if (ending == "WAV") {
            StopWAV();
        } else if (ending == "MP3") {
            StopMP3();
        }
    }
    if (SwitchLetter(CommandLine()) == u'S') CursorCount = ShowCursor(TRUE);
    End();
}
