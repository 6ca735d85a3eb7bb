// A saver run under Wine, end to end: the real Glintra.scr beside the real
// Glintra.dll in a folder of the test's own, started as Windows starts a
// screen saver. Seen from outside: the hidden form, the bitmap, the renderer's
// window, the host's end, and the music commands through the recording
// stand-in for winmm.
//
// Where the renderer itself does not matter (music, the watch), Glintra.dll
// is replaced by a file that can't be started and a "Glintra_VC" window of the
// test's own keeps the run alive: the run lasts exactly as long as the test
// keeps that window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "e2e/win32_child_process.h"
#include "host/resources/glow_texture.h"
#include "host/saver/settings.h"
#include "host/winmm_recorder/winmm_recorder_override.h"

namespace {

constexpr char kSaverCaption[] = "Glintra_Main";
constexpr char kRendererTitle[] = "Glintra_VC";
constexpr char kBitmapPath[] = "C:\\q_vane\\Glintra.bmp";
constexpr double kStartSeconds = 20;  // Wine, WGL and llvmpipe from cold

// The saver's tests poll more finely than the default.
bool WaitFinely(const std::function<bool()>& condition, double seconds) {
    return WaitUntil(condition, seconds, 10);
}

// Handles messages of the test's own windows while waiting.
void Pump(double seconds) {
    WaitFinely(
        [] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            return false;
        },
        seconds);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The command of each logged MCI call, "PlaySoundA ..." lines as they are;
// waveOutGetNumDevs left out.
std::vector<std::string> Commands(const std::string& log) {
    std::vector<std::string> commands;
    for (const std::string& line : Lines(log)) {
        const std::string mci = "mciSendStringA \"";
        if (line.rfind(mci, 0) == 0) {
            // The command may hold quotes itself (a quoted path).
            commands.push_back(line.substr(mci.size(), line.rfind("\" reply=") - mci.size()));
        } else if (line.rfind("PlaySoundA", 0) == 0) {
            commands.push_back(
                line.substr(0, line.find(" module=")) +
                line.substr(line.find(" flags="), line.find(" ->") - line.find(" flags=")));
        }
    }
    return commands;
}

int Count(const std::vector<std::string>& commands, const std::string& command) {
    return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

void TapKey(WORD key) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = key;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Glintra.scr started as Windows starts a screen saver.
class Host : public ChildProcess {
public:
    Host(const std::string& path, const std::string& arguments)
        : ChildProcess(path, arguments, false), startedAt_(Seconds()) {}

    double startedAt() const { return startedAt_; }
    // The exit status, or -1 when still running after `seconds`; the test's
    // windows keep being served meanwhile.
    long WaitForExit(double seconds) const {
        const std::optional<DWORD> status = ChildProcess::WaitForExit(seconds, [] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        });
        return status ? static_cast<long>(*status) : -1;
    }

private:
    double startedAt_ = 0;
};

// A "Glintra_VC" window of the test's own, hidden: a renderer left running
// from an earlier run, as the host sees it.
class LeftoverRendererWindow {
public:
    LeftoverRendererWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "GlintraLeftoverRenderer";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA(windowClass.lpszClassName, kRendererTitle, WS_OVERLAPPEDWINDOW, 0,
                                0, 100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~LeftoverRendererWindow() { Close(); }
    LeftoverRendererWindow(const LeftoverRendererWindow&) = delete;
    LeftoverRendererWindow& operator=(const LeftoverRendererWindow&) = delete;
    bool ok() const { return window_ != nullptr; }
    void Close() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

class SaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("GLINTRA_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        binDir_ = bin;
        for (char& c : binDir_) {
            if (c == '/') c = '\\';
        }
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static int count = 0;
        folder_ = std::string(temp) + "glintra_saver_" + std::to_string(GetCurrentProcessId()) +
                  "_" + std::to_string(++count);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        Copy(binDir_ + "\\Glintra.scr", "Glintra.scr");
        Copy(binDir_ + "\\Glintra.dll", "Glintra.dll");
        host_ = folder_ + "\\Glintra.scr";
    }

    void TearDown() override {
        for (const std::string& file : created_) DeleteFileA((folder_ + "\\" + file).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    void Copy(const std::string& from, const std::string& name) {
        ASSERT_TRUE(CopyFileA(from.c_str(), (folder_ + "\\" + name).c_str(), FALSE))
            << from << ": error " << GetLastError();
        created_.push_back(name);
    }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ + "\\" + name, std::ios::binary) << bytes;
        created_.push_back(name);
    }

    // A Glintra.dll that can't be started.
    void BreakRenderer() { Write("Glintra.dll", "not a program"); }

    void WriteSettings(const std::string& kind, const std::string& file) {
        const std::string ini = folder_ + "\\Glintra.ini";
        WritePrivateProfileStringA(kIniSection, kIniKeyKind, kind.c_str(), ini.c_str());
        WritePrivateProfileStringA(kIniSection, kIniKeyRepeat, " 0", ini.c_str());
        WritePrivateProfileStringA(kIniSection, kIniKeyFile, file.c_str(), ini.c_str());
        created_.push_back("Glintra.ini");
    }

    std::string binDir_, folder_, host_;
    std::vector<std::string> created_;
};

// The whole road: hidden form, bitmap, renderer window, Escape, the end.
TEST_F(SaverTest, RunsTheRendererAndEndsSoonAfterItsEscape) {
    // A stale file of another size: the run must replace it.
    CreateDirectoryA("C:\\q_vane", nullptr);
    std::ofstream(kBitmapPath, std::ios::binary) << "stale";

    Host host(host_, "/s");
    ASSERT_TRUE(host.started()) << "error " << GetLastError();
    ASSERT_TRUE(WaitFinely([] { return FindWindowA(nullptr, kSaverCaption) != nullptr; }, 10))
        << "no hidden \"Glintra_Main\"; host running: " << host.Running();
    EXPECT_FALSE(IsWindowVisible(FindWindowA(nullptr, kSaverCaption)));

    HWND renderer = nullptr;
    ASSERT_TRUE(
        WaitFinely([&] { return (renderer = FindWindowA(nullptr, kRendererTitle)) != nullptr; },
                   kStartSeconds))
        << "no \"Glintra_VC\"; host running: " << host.Running();
    const double windowAfter = Seconds() - host.startedAt();
    // The renderer read the bitmap (it stops with an "Error" box otherwise),
    // so the host wrote it first.
    const std::vector<unsigned char> glow = MakeGlowBitmapFile();
    EXPECT_EQ(ReadFile(kBitmapPath), std::string(glow.begin(), glow.end()));

    DWORD rendererPid = 0;
    GetWindowThreadProcessId(renderer, &rendererPid);
    const HANDLE rendererProcess = OpenProcess(SYNCHRONIZE, FALSE, rendererPid);
    ASSERT_NE(rendererProcess, nullptr);

    // The run outlives the renderer's start-up and keeps going.
    Pump(2);
    EXPECT_TRUE(host.Running());
    ASSERT_TRUE(WaitFinely([&] { return GetForegroundWindow() == renderer; }, 5))
        << "the renderer is not in front";

    TapKey(VK_ESCAPE);
    ASSERT_EQ(WaitForSingleObject(rendererProcess, 10000), WAIT_OBJECT_0)
        << "the renderer did not end on Escape";
    const double rendererExit = Seconds();
    CloseHandle(rendererProcess);
    EXPECT_EQ(host.WaitForExit(10), 0) << "the host did not end after the renderer";
    std::printf(
        "saver run: \"Glintra_VC\" up %.2f s after the host's start; host gone %.0f ms "
        "after the renderer's exit\n",
        windowAfter, (Seconds() - rendererExit) * 1000);
}

TEST_F(SaverTest, RendererThatCannotStartEndsTheRunAtOnce) {
    BreakRenderer();
    for (const char* arguments : {"/s", ""}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        Host host(host_, arguments);
        ASSERT_TRUE(host.started());
        EXPECT_EQ(host.WaitForExit(10), 0);
    }
}

// A renderer's window from an earlier run keeps the new run (whose own
// renderer can't start here) alive until it has gone.
TEST_F(SaverTest, LeftoverRendererWindowKeepsTheRunUntilItGoes) {
    BreakRenderer();
    LeftoverRendererWindow leftover;
    ASSERT_TRUE(leftover.ok());
    Host host(host_, "/s");
    ASSERT_TRUE(host.started());
    EXPECT_EQ(host.WaitForExit(2), -1) << "the run ended beside a \"Glintra_VC\" window";
    leftover.Close();
    EXPECT_EQ(host.WaitForExit(10), 0);
}

// Music through the recording stand-in, one run per case, each kept alive by
// a leftover window for `seconds`.
class SaverMusicTest : public SaverTest {
protected:
    void SetUp() override {
        SaverTest::SetUp();
        if (HasFatalFailure()) return;
        BreakRenderer();
        Copy(binDir_ + "\\" + WINMM_RECORDER_FROM_BIN, "winmm.dll");
        log_ = folder_ + "\\winmm.log";
        script_ = folder_ + "\\winmm.script";
        created_.push_back("winmm.log");
        created_.push_back("winmm.script");
    }

    std::vector<std::string> Run(const std::string& script, double seconds) {
        DeleteFileA(log_.c_str());
        std::ofstream(script_, std::ios::binary) << script;
        WinmmRecorderOverride override("Glintra.scr");
        EXPECT_TRUE(override.ok());
        SetEnvironmentVariableA("GLINTRA_WINMM_LOG", log_.c_str());
        SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", script_.c_str());
        {
            LeftoverRendererWindow leftover;
            Host host(host_, "/s");
            EXPECT_TRUE(host.started());
            EXPECT_TRUE(
                WaitFinely([] { return FindWindowA(nullptr, kSaverCaption) != nullptr; }, 10));
            Pump(seconds);
            EXPECT_TRUE(host.Running());
            leftover.Close();
            EXPECT_EQ(host.WaitForExit(10), 0);
        }
        SetEnvironmentVariableA("GLINTRA_WINMM_LOG", nullptr);
        SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", nullptr);
        return Commands(ReadFile(log_));
    }

    std::string log_, script_;
};

TEST_F(SaverMusicTest, CdIsPolledWhileTheDriveAnswersAndStoppedAtTheEnd) {
    WriteSettings(" 1", "");
    // A drive that keeps answering: polled, played, stopped at the end.
    std::vector<std::string> commands =
        Run("mci status cdaudio current track => 0 1\n"
            "mci status cdaudio number of tracks => 0 5\n"
            "mci status cdaudio mode => 0 stopped\n",
            1.5);
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], "open cdaudio");
    EXPECT_EQ(commands[1], "set cdaudio time format tmsf");
    EXPECT_GE(Count(commands, "status cdaudio current track"), 2);
    EXPECT_GE(Count(commands, "play cdaudio"), 2);
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[commands.size() - 2], "stop cdaudio");
    EXPECT_EQ(commands.back(), "close cdaudio");

    // A drive that stops answering at the third poll: no more polls, and the
    // end leaves the CD alone.
    commands =
        Run("mci status cdaudio current track => 0 1\n"
            "mci status cdaudio current track => 0 1\n"
            "mci status cdaudio current track => 289\n"
            "mci status cdaudio number of tracks => 0 5\n"
            "mci status cdaudio mode => 0 stopped\n",
            2);
    EXPECT_EQ(Count(commands, "status cdaudio current track"), 3);
    EXPECT_EQ(Count(commands, "stop cdaudio"), 0);
}

TEST_F(SaverMusicTest, Mp3IsOpenedQuotedRestartedWhenStoppedAndStoppedAtTheEnd) {
    const std::string file = folder_ + "\\Song.Mp3";
    Write("Song.Mp3", "ID3");
    WriteSettings(" 2", file);
    const std::vector<std::string> commands =
        Run("mci status MP3Play mode => 0 playing\n"
            "mci status MP3Play mode => 0 stopped\n",
            3.5);
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], "open \"" + file + "\" type MPEGVideo Alias MP3Play");
    EXPECT_EQ(commands[1], "play MP3Play");
    EXPECT_GE(Count(commands, "status MP3Play mode"), 2);
    EXPECT_GE(Count(commands, "play MP3Play from 0"), 1);
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[commands.size() - 2], "stop MP3Play");
    EXPECT_EQ(commands.back(), "close MP3Play");
}

TEST_F(SaverMusicTest, WavLoopsThroughPlaySoundAndStopsAtTheEnd) {
    const std::string file = folder_ + "\\Sound.wav";
    Write("Sound.wav", "RIFF");
    WriteSettings(" 2", file);
    const std::vector<std::string> commands = Run("waveout 1\n", 0.5);
    const std::vector<std::string> expected = {"PlaySoundA \"" + file + "\" flags=9",
                                               "PlaySoundA NULL flags=0"};
    EXPECT_EQ(commands, expected);
}

TEST_F(SaverMusicTest, OtherEndingsPlayNothing) {
    for (const char* name : {"Song.mid", "Song.mpeg"}) {
        SCOPED_TRACE(name);
        Write(name, "data");
        WriteSettings(" 2", folder_ + "\\" + name);
        EXPECT_TRUE(Run("waveout 1\n", 1.5).empty());
    }
}

}  // namespace
