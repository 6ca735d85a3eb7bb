// A saver run under Wine, end to end: the real Glintra.scr beside the real
// Glintra.dll in a folder of the test's own, started as Windows starts a
// screen saver. Seen from outside: the hidden form, the bitmap, the renderer's
// window, the host's end, and the music commands through the recording
// stand-in for winmm.
//
// Where the renderer itself does not matter (music, the watch, the bitmap's
// links), Glintra.dll is replaced by a file that can't be started and a
// "Glintra_VC" window of the test's own keeps the run alive: the run lasts
// exactly as long as the test keeps that window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/program_folder.h"
#include "support/settings_file_bytes.h"
#include "support/test_window_win32.h"
#include "support/win32_child_process.h"
#include "support/win32_input.h"
#include "host/resources/glow_texture.h"
#include "host/winmm_recorder/winmm_recorder_override.h"
#include "shared/program_contract.h"

namespace {

constexpr double kStartSeconds = 20;  // Wine, WGL and llvmpipe from cold

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

bool SaverFormUp() { return FindWindowA(nullptr, kSaverFormCaption) != nullptr; }

// Glintra.scr started as Windows starts a screen saver.
class Host : public ChildProcess {
public:
    Host(const std::string& path, const std::string& arguments, DWORD creationFlags = 0)
        : ChildProcess(path, arguments, false, creationFlags), startedAt_(Seconds()) {}

    double startedAt() const { return startedAt_; }
    // The exit status, or -1 when still running after `seconds`; the test's
    // windows keep being served meanwhile.
    long WaitForExit(double seconds) const {
        const std::optional<DWORD> status =
            ChildProcess::WaitForExit(seconds, [] { PumpMessages(); });
        return status ? static_cast<long>(*status) : -1;
    }

private:
    double startedAt_ = 0;
};

// A "Glintra_VC" window of the test's own, hidden: a renderer left running
// from an earlier run, as the host sees it.
class LeftoverRendererWindow : public TestWindow {
public:
    LeftoverRendererWindow() : TestWindow(kRendererWindowTitle, WS_OVERLAPPEDWINDOW, 100, 100) {}
};

class SaverTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(programs_.error().empty()) << programs_.error(); }

    void WriteSettings(const std::string& kind, const std::string& file) {
        ASSERT_TRUE(programs_.Write("Glintra.ini", SettingsFileBytes(kind, "0", file)));
    }

    // A saver run whose renderer can't start, kept alive by a leftover
    // renderer window for `seconds` after its form is up; ends with the host.
    // The host starts at `startPriority`, if given.
    void RunKeptAlive(double seconds, DWORD startPriority = 0) {
        LeftoverRendererWindow leftover;
        ASSERT_NE(leftover.hwnd(), nullptr);
        Host host(programs_.host(), "/s", CREATE_SUSPENDED);
        ASSERT_TRUE(host.started()) << "error " << GetLastError();
        if (startPriority != 0) SetPriorityClass(host.process(), startPriority);
        host.Resume();
        EXPECT_TRUE(PumpUntil(SaverFormUp, 10))
            << "no hidden \"" << kSaverFormCaption << "\"; host running: " << host.Running();
        // The form's window is up before its Form_Load has run.
        if (startPriority != 0) {
            PumpUntil([&] { return GetPriorityClass(host.process()) != startPriority; }, 5);
        }
        priorityInRun_ = GetPriorityClass(host.process());
        PumpFor(seconds);
        EXPECT_TRUE(host.Running()) << "the run ended beside a \"Glintra_VC\" window";
        leftover.Destroy();
        EXPECT_EQ(host.WaitForExit(10), 0) << "the host did not end after the window";
    }

    ProgramFolder programs_;
    DWORD priorityInRun_ = 0;  // the host's priority class in the last run
};

// The whole road: hidden form, bitmap, renderer window, Escape, the end.
TEST_F(SaverTest, RunsTheRendererAndEndsSoonAfterItsEscape) {
    // A stale file of another size: the run must replace it.
    CreateDirectoryA(kGlowBitmapFolder, nullptr);
    std::ofstream(kGlowBitmapPath, std::ios::binary) << "stale";

    Host host(programs_.host(), "/s");
    ASSERT_TRUE(host.started()) << "error " << GetLastError();
    ASSERT_TRUE(WaitUntil(SaverFormUp, 10))
        << "no hidden \"" << kSaverFormCaption << "\"; host running: " << host.Running();
    EXPECT_FALSE(IsWindowVisible(FindWindowA(nullptr, kSaverFormCaption)));

    HWND renderer = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (renderer = FindWindowA(nullptr, kRendererWindowTitle)) != nullptr; },
        kStartSeconds))
        << "no \"" << kRendererWindowTitle << "\"; host running: " << host.Running();
    const double windowAfter = Seconds() - host.startedAt();
    // The renderer read the bitmap (it stops with an "Error" box otherwise),
    // so the host wrote it first.
    const std::vector<unsigned char> glow = MakeGlowBitmapFile();
    EXPECT_EQ(FileBytes(kGlowBitmapPath), std::string(glow.begin(), glow.end()));

    DWORD rendererPid = 0;
    GetWindowThreadProcessId(renderer, &rendererPid);
    const HANDLE rendererProcess = OpenProcess(SYNCHRONIZE, FALSE, rendererPid);
    ASSERT_NE(rendererProcess, nullptr);

    // The run outlives the renderer's start-up and keeps going. On one
    // monitor the host shows no window of its own.
    PumpFor(2);
    EXPECT_TRUE(host.Running());
    EXPECT_TRUE(VisibleWindowsOf(host.pid()).empty()) << "a window of the host shows";
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == renderer; }, 5))
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
    ASSERT_TRUE(programs_.BreakRenderer());
    for (const char* arguments : {"/s", ""}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        Host host(programs_.host(), arguments);
        ASSERT_TRUE(host.started());
        EXPECT_EQ(host.WaitForExit(10), 0);
    }
}

// A renderer that ends before it ever showed its window (the user ended it
// while the host was still opening the music) ends the run at the next tick
// of the watch, not at the limit for a slow start.
TEST_F(SaverTest, RendererThatEndsBeforeShowingItsWindowEndsTheRun) {
    ASSERT_TRUE(programs_.UseRendererStandIn());
    Host host(programs_.host(), "/s");
    ASSERT_TRUE(host.started());
    EXPECT_TRUE(WaitUntil([&] { return PathExists(programs_.File("renderer.pid")); }, 10))
        << "the renderer did not run";
    EXPECT_EQ(host.WaitForExit(10), 0) << "the run outlived its renderer";
}

// A renderer's window from an earlier run keeps the new run (whose own
// renderer can't start here) alive until it has gone. The host, started at
// idle priority as Windows may start a screen saver, runs at normal priority,
// so that its music does not stutter under load.
TEST_F(SaverTest, LeftoverRendererWindowKeepsTheRunUntilItGoes) {
    ASSERT_TRUE(programs_.BreakRenderer());
    RunKeptAlive(2, IDLE_PRIORITY_CLASS);
    EXPECT_EQ(priorityInRun_, DWORD{NORMAL_PRIORITY_CLASS});
}

// ---- The glow bitmap behind links -----------------------------------------

// A symbolic link named `link` to `target`, as another local user might make
// one. Wine 8's CreateSymbolicLinkW reports success and makes nothing, and
// Wine can't remove a link to a folder either; a Unix symbolic link in the
// prefix's drive, which Wine follows as Windows follows its links, can be
// made and removed from the Unix side.
bool MakeSymbolicLink(const std::string& link, const std::string& target, bool folder) {
    if (RunUnixCommand("ln -s", {target, link}) == 0) return true;
    return !UnixPath(link) && CreateSymbolicLinkA(link.c_str(), target.c_str(),
                                                  folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0);
}

// Removes a file, a folder with all in it, or a link (never what it points at).
void Remove(const std::string& path) {
    if (RunUnixCommand("rm -rf", {path}) == 0) return;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveFolderTree(std::wstring(path.begin(), path.end()));
    } else if (!DeleteFileA(path.c_str())) {
        RemoveDirectoryA(path.c_str());
    }
}

// C:\q_vane, or Glintra.bmp in it, made a link by someone else: the run
// writes nothing through it, and goes on as usual. A victim file stands for
// whatever the link points at.
TEST_F(SaverTest, GlowBitmapIsNeverWrittenThroughALink) {
    ASSERT_TRUE(programs_.BreakRenderer());
    const std::string folder = kGlowBitmapFolder, bitmap = kGlowBitmapPath;
    const std::string elsewhere = programs_.File("elsewhere");
    const std::string victim = elsewhere + bitmap.substr(folder.size());
    const std::string victimBytes = "the file a link points at";

    const struct {
        const char* name;
        bool folderIsLink;  // else the folder is real and the file is a link
        bool victimExists;
    } cases[] = {
        {"linked folder", true, true},
        {"linked folder, nothing at its end", true, false},
        {"linked file", false, true},
        {"dangling linked file", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Remove(folder);
        Remove(elsewhere);
        ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
        if (c.victimExists) {
            ASSERT_TRUE(programs_.Write("elsewhere\\Glintra.bmp", victimBytes));
        }
        if (c.folderIsLink) {
            ASSERT_TRUE(MakeSymbolicLink(folder, elsewhere, true));
        } else {
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
            ASSERT_TRUE(MakeSymbolicLink(bitmap, victim, false));
        }

        RunKeptAlive(0.5);
        if (c.victimExists) {
            EXPECT_EQ(FileBytes(victim), victimBytes) << "written through the link";
        } else {
            EXPECT_FALSE(PathExists(victim)) << "made at the end of the link";
        }
        // The link is still there and leads to the victim: without it the
        // checks above could not fail.
        ASSERT_TRUE(programs_.Write("elsewhere\\Glintra.bmp", "through the link"));
        EXPECT_EQ(FileBytes(bitmap), "through the link") << "no link at " << bitmap;
    }
    Remove(folder);
}

// A second name of another file (a hard link) in the real folder: the file
// is left alone too.
TEST_F(SaverTest, GlowBitmapIsNeverWrittenIntoAFileWithASecondName) {
    ASSERT_TRUE(programs_.BreakRenderer());
    const std::string victim = programs_.File("victim.bmp");
    ASSERT_TRUE(programs_.Write("victim.bmp", "another file"));
    Remove(kGlowBitmapFolder);
    ASSERT_TRUE(CreateDirectoryA(kGlowBitmapFolder, nullptr));
    ASSERT_TRUE(CreateHardLinkA(kGlowBitmapPath, victim.c_str(), nullptr))
        << "error " << GetLastError();
    RunKeptAlive(0.5);
    EXPECT_EQ(FileBytes(victim), "another file");
    // The second name is still there: without it the check could not fail.
    ASSERT_TRUE(programs_.Write("victim.bmp", "the same file"));
    EXPECT_EQ(FileBytes(kGlowBitmapPath), "the same file");
    DeleteFileA(kGlowBitmapPath);
}

// ---- Music ------------------------------------------------------------------

// Music through the recording stand-in, one run per case, each kept alive by
// a leftover window for `seconds`.
class SaverMusicTest : public SaverTest {
protected:
    void SetUp() override {
        SaverTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(programs_.BreakRenderer());
        ASSERT_TRUE(CopyFileA((BinFolder() + "\\" + WINMM_RECORDER_FROM_BIN).c_str(),
                              programs_.File("winmm.dll").c_str(), FALSE));
        log_ = programs_.File("winmm.log");
        script_ = programs_.File("winmm.script");
    }

    std::vector<std::string> Run(const std::string& script, double seconds) {
        DeleteFileA(log_.c_str());
        std::ofstream(script_, std::ios::binary) << script;
        WinmmRecorderOverride override(kHostFile + 1);
        EXPECT_TRUE(override.ok());
        SetEnvironmentVariableA("GLINTRA_WINMM_LOG", log_.c_str());
        SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", script_.c_str());
        RunKeptAlive(seconds);
        SetEnvironmentVariableA("GLINTRA_WINMM_LOG", nullptr);
        SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", nullptr);
        return Commands(FileBytes(log_));
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
    const std::string file = programs_.File("Song.Mp3");
    ASSERT_TRUE(programs_.Write("Song.Mp3", "ID3"));
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
    const std::string file = programs_.File("Sound.wav");
    ASSERT_TRUE(programs_.Write("Sound.wav", "RIFF"));
    WriteSettings(" 2", file);
    const std::vector<std::string> commands = Run("waveout 1\n", 0.5);
    const std::vector<std::string> expected = {"PlaySoundA \"" + file + "\" flags=9",
                                               "PlaySoundA NULL flags=0"};
    EXPECT_EQ(commands, expected);
}

TEST_F(SaverMusicTest, OtherEndingsPlayNothing) {
    for (const char* name : {"Song.mid", "Song.mpeg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(programs_.Write(name, "data"));
        WriteSettings(" 2", programs_.File(name));
        EXPECT_TRUE(Run("waveout 1\n", 1.5).empty());
    }
}

}  // namespace
