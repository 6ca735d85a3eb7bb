// Runs music procedures, named on the command line, through the real winmm
// glue, so that a test can watch them under the recording stand-in for winmm:
//   music_recorder_driver [--file PATH] [--repeat N] PROCEDURE...
// Before each procedure it adds "# <name>" to the stand-in's log (and after
// CheckCDRepeat "# CDActive true|false"), so the log shows which calls each
// procedure made.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/music/music_player.h"
#include "host/saver/settings.h"

namespace {

void Note(const std::string& text) {
    char path[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableA("GLINTRA_WINMM_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = "# " + text + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

struct Procedure {
    const char* name;
    void (*run)();
};

const Procedure kProcedures[] = {
    {"OpenCD", OpenCD},
    {"CheckCDRepeat", CheckCDRepeat},
    {"StopCD", StopCD},
    {"PlayMP3", PlayMP3},
    {"CheckMP3Repeat", CheckMP3Repeat},
    {"StopMP3", StopMP3},
    {"PlayWAV", PlayWAV},
    {"StopWAV", StopWAV},
};

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--file") == 0 && i + 1 < argc) {
            BGMFile = argv[++i];
        } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            BGMRepeat = static_cast<int16_t>(std::atoi(argv[++i]));
        } else {
            const Procedure* found = nullptr;
            for (const Procedure& p : kProcedures) {
                if (std::strcmp(argv[i], p.name) == 0) found = &p;
            }
            if (!found) return 2;
            Note(found->name);
            found->run();
            if (found->run == CheckCDRepeat) Note(CDActive ? "CDActive true" : "CDActive false");
        }
    }
    return 0;
}
