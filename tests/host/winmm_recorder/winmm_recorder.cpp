// A stand-in for winmm.dll that records what a program asks of the multimedia
// services and answers as a scripted CD drive, MPEG player and wave device.
// Tests load it in place of Wine's own winmm by placing it, as winmm.dll,
// beside the program and making winmm native first for that program
// (winmm_recorder_override.h, or "winmm=n,b" in WINEDLLOVERRIDES).
//
// It exports what the host's winmm glue imports (mciSendStringA,
// waveOutGetNumDevs, PlaySoundA). Of Wine's own DLLs only multimedia ones
// (MCI drivers, quartz, msacm32, ...) import winmm, and none of the host's.
//
// GLINTRA_WINMM_LOG names the log file. Every call appends one line:
//   mciSendStringA "<command>" reply=none|buffer length=<n> callback=<hwnd> -> <code>
//       followed by  "<reply text>"  when a reply buffer came with the call
//   waveOutGetNumDevs -> <count>
//   PlaySoundA "<name>"|NULL module=<hmod> flags=<flags> -> <0|1>
// Texts are written as they are, without escapes.
//
// GLINTRA_WINMM_SCRIPT names the script, read once at the first call:
//   waveout <count>                     what waveOutGetNumDevs returns (else 0)
//   mci <command> => <code>[ <reply>]   how a command is answered
//   # comment
// A command ending in '*' matches every command that starts with the rest.
// The first rule that matches answers; lines for the same command are
// answered in turn, and the last one keeps answering. Commands without a rule
// succeed with an empty reply.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Answer {
    unsigned long code;
    std::string reply;
};

struct Rule {
    std::string pattern;
    std::vector<Answer> answers;
    std::size_t next = 0;

    bool Matches(const std::string& command) const {
        if (!pattern.empty() && pattern.back() == '*') {
            return command.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
        }
        return command == pattern;
    }
};

struct Script {
    bool loaded = false;
    unsigned waveDevices = 0;
    std::vector<Rule> rules;
};

Script script;

std::string Environment(const char* name) {
    char value[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

void AddRule(const std::string& line) {
    const std::size_t arrow = line.find(" => ");
    if (arrow == std::string::npos || arrow < 4) return;
    const std::string pattern = line.substr(4, arrow - 4);
    const std::string rest = line.substr(arrow + 4);
    char* end = nullptr;
    Answer answer{std::strtoul(rest.c_str(), &end, 10), {}};
    if (end == rest.c_str()) return;
    if (*end == ' ') answer.reply = end + 1;
    for (Rule& rule : script.rules) {
        if (rule.pattern == pattern) {
            rule.answers.push_back(answer);
            return;
        }
    }
    script.rules.push_back(Rule{pattern, {answer}});
}

void LoadScript() {
    if (script.loaded) return;
    script.loaded = true;
    const std::string path = Environment("GLINTRA_WINMM_SCRIPT");
    if (path.empty()) return;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, file)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (line.compare(0, 8, "waveout ") == 0) {
            script.waveDevices = static_cast<unsigned>(std::strtoul(line.c_str() + 8, nullptr, 10));
        } else if (line.compare(0, 4, "mci ") == 0) {
            AddRule(line);
        }
    }
    std::fclose(file);
}

// One line per call, appended with the file opened and closed around it, so
// that the log is complete whenever the program ends and several processes
// may share it.
void Log(const std::string& line) {
    const std::string path = Environment("GLINTRA_WINMM_LOG");
    if (path.empty()) return;
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Number(unsigned long long value) { return std::to_string(value); }

}  // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI
    mciSendStringA(LPCSTR command, LPSTR reply, UINT replyLength, HWND callback) {
    LoadScript();
    const std::string text = command ? command : "";
    Answer answer{0, {}};
    for (Rule& rule : script.rules) {
        if (rule.Matches(text)) {
            answer =
                rule.answers[rule.next < rule.answers.size() ? rule.next : rule.answers.size() - 1];
            ++rule.next;
            break;
        }
    }
    std::string line = "mciSendStringA \"" + text + "\" reply=" + (reply ? "buffer" : "none") +
                       " length=" + Number(replyLength) +
                       " callback=" + Number(reinterpret_cast<ULONG_PTR>(callback)) + " -> " +
                       Number(answer.code);
    if (reply && replyLength > 0) {
        // As winmm: the reply is emptied first and written only on success.
        const std::string written =
            answer.code == 0 ? answer.reply.substr(0, replyLength - 1) : std::string();
        std::memcpy(reply, written.c_str(), written.size() + 1);
        line += " \"" + written + "\"";
    }
    Log(line);
    return answer.code;
}

__declspec(dllexport) UINT WINAPI waveOutGetNumDevs(void) {
    LoadScript();
    Log("waveOutGetNumDevs -> " + Number(script.waveDevices));
    return script.waveDevices;
}

__declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR name, HMODULE module, DWORD flags) {
    LoadScript();
    Log(std::string("PlaySoundA ") + (name ? "\"" + std::string(name) + "\"" : "NULL") +
        " module=" + Number(reinterpret_cast<ULONG_PTR>(module)) + " flags=" + Number(flags) +
        " -> 1");
    return TRUE;
}

}  // extern "C"
