// The music procedures over the real winmm glue, under Wine. Through the
// recording stand-in for winmm (beside music_recorder_driver, which runs the
// procedures in a process of its own): that the glue passes each command,
// its reply buffer and length, the reply and the result through, on a CD,
// MP3 and WAV start, poll and stop, and on a drive that stops answering
// (the procedures' every branch: music_player_test, natively). In this
// process, with Wine's own winmm: that the glue reaches it and every failure
// stays quiet.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/music/multimedia_services.h"
#include "host/music/music_player.h"
#include "host/saver/settings.h"
#include "winmm_recorder/winmm_recorder_override.h"

namespace {

using Lines = std::vector<std::string>;

std::string FolderOfThisProgram() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string Mci(const std::string& command, const char* result) {
    return "mciSendStringA \"" + command + "\" reply=none length=0 callback=0 -> " + result;
}
std::string Mci(const std::string& command, unsigned length, const char* result,
                const std::string& reply) {
    return "mciSendStringA \"" + command + "\" reply=buffer length=" + std::to_string(length) +
           " callback=0 -> " + result + " \"" + reply + "\"";
}

// Runs the driver under the stand-in with `script` and returns the log.
class RecordedMusic : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string base = std::string(temp) + "glintra-music-" +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        logPath = base + ".log";
        scriptPath = base + ".script";
        DeleteFileA(logPath.c_str());
    }
    void TearDown() override {
        DeleteFileA(logPath.c_str());
        DeleteFileA(scriptPath.c_str());
    }

    Lines Run(const std::string& script, const std::vector<std::string>& args) {
        std::ofstream(scriptPath, std::ios::binary) << script;
        const std::string driver =
            FolderOfThisProgram() + "\\music-recorder\\music_recorder_driver.exe";
        std::string commandLine = "\"" + driver + "\"";
        for (const std::string& arg : args) commandLine += " \"" + arg + "\"";

        WinmmRecorderOverride recorder("music_recorder_driver.exe");
        EXPECT_TRUE(recorder.ok());
        SetEnvironmentVariableA("GLINTRA_WINMM_LOG", logPath.c_str());
        SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", scriptPath.c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const BOOL started = CreateProcessA(driver.c_str(), &commandLine[0], nullptr, nullptr,
                                            FALSE, 0, nullptr, nullptr, &startup, &process);
        SetEnvironmentVariableA("GLINTRA_WINMM_LOG", nullptr);
        SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", nullptr);
        if (!started) {
            ADD_FAILURE() << "cannot start " << driver << ": error " << GetLastError();
            return {};
        }
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        Lines lines;
        std::ifstream log(logPath, std::ios::binary);
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    std::string logPath, scriptPath;
};

TEST_F(RecordedMusic, CdStartPollsAndStop) {
    const Lines log = Run(
        "mci status cdaudio current track => 0 1\n"
        "mci status cdaudio current track => 0 3\n"
        "mci status cdaudio current track => 0 4\n"
        "mci status cdaudio number of tracks => 0 12\n"
        "mci status cdaudio mode => 0 stopped\n"
        "mci status cdaudio mode => 0 playing\n"
        "mci status cdaudio position track 3 => 0 03:00:00:00\n",
        {"--repeat", "3", "OpenCD", "CheckCDRepeat", "CheckCDRepeat", "CheckCDRepeat", "StopCD"});
    const std::string track = "status cdaudio current track";
    const std::string tracks = "status cdaudio number of tracks";
    const std::string mode = "status cdaudio mode";
    const std::string position = "status cdaudio position track 3";
    const std::string play = "play cdaudio from 03:00:00:00";
    EXPECT_EQ(log, (Lines{
                       "# OpenCD",
                       Mci("open cdaudio", "0"),
                       Mci("set cdaudio time format tmsf", "0"),
                       "# CheckCDRepeat",  // stopped on track 1
                       Mci(track, 512, "0", "1"),
                       Mci(tracks, 512, "0", "12"),
                       Mci(mode, 255, "0", "stopped"),
                       Mci(position, 512, "0", "03:00:00:00"),
                       Mci(play, 512, "0", ""),
                       "# CDActive true",
                       "# CheckCDRepeat",  // playing track 3
                       Mci(track, 512, "0", "3"),
                       Mci(tracks, 512, "0", "12"),
                       Mci(mode, 255, "0", "playing"),
                       "# CDActive true",
                       "# CheckCDRepeat",  // ran on into track 4
                       Mci(track, 512, "0", "4"),
                       Mci(tracks, 512, "0", "12"),
                       Mci(mode, 255, "0", "playing"),
                       Mci(position, 512, "0", "03:00:00:00"),
                       Mci(play, 512, "0", ""),
                       "# CDActive true",
                       "# StopCD",
                       Mci("stop cdaudio", "0"),
                       Mci("close cdaudio", "0"),
                   }));
}

TEST_F(RecordedMusic, CdWholeDiscUntilTheDriveStopsAnswering) {
    const Lines log =
        Run("mci status cdaudio current track => 0 1\n"
            "mci status cdaudio current track => 0 9\n"
            "mci status cdaudio current track => 262\n"
            "mci status cdaudio number of tracks => 0 9\n"
            "mci status cdaudio mode => 0 stopped\n"
            "mci status cdaudio position track 12 => 282\n"
            "mci play cdaudio from Error:282 => 282\n",
            {"OpenCD", "CheckCDRepeat", "CheckCDRepeat", "CheckCDRepeat", "StopCD"});
    EXPECT_EQ(log, (Lines{
                       "# OpenCD",
                       Mci("open cdaudio", "0"),
                       Mci("set cdaudio time format tmsf", "0"),
                       "# CheckCDRepeat",
                       Mci("status cdaudio current track", 512, "0", "1"),
                       Mci("status cdaudio number of tracks", 512, "0", "9"),
                       Mci("status cdaudio mode", 255, "0", "stopped"),
                       Mci("play cdaudio", 512, "0", ""),
                       "# CDActive true",
                       "# CheckCDRepeat",
                       Mci("status cdaudio current track", 512, "0", "9"),
                       Mci("status cdaudio number of tracks", 512, "0", "9"),
                       Mci("status cdaudio mode", 255, "0", "stopped"),
                       Mci("play cdaudio", 512, "0", ""),
                       "# CDActive true",
                       "# CheckCDRepeat",
                       Mci("status cdaudio current track", 512, "262", ""),
                       "# CDActive false",
                       "# StopCD",
                       Mci("stop cdaudio", "0"),
                       Mci("close cdaudio", "0"),
                   }));
}

TEST_F(RecordedMusic, Mp3StartPollRestartAndStop) {
    const std::string file = "C:\\Music Files\\night drive.mp3";
    const Lines log =
        Run("mci status MP3Play mode => 0 playing\n"
            "mci status MP3Play mode => 0 stopped\n"
            "mci status MP3Play mode => 0 playing\n",
            {"--file", file, "PlayMP3", "CheckMP3Repeat", "CheckMP3Repeat", "CheckMP3Repeat",
             "StopMP3"});
    EXPECT_EQ(log, (Lines{
                       "# PlayMP3",
                       Mci("open \"" + file + "\" type MPEGVideo Alias MP3Play", "0"),
                       Mci("play MP3Play", "0"),
                       "# CheckMP3Repeat",
                       Mci("status MP3Play mode", 30, "0", "playing"),
                       "# CheckMP3Repeat",
                       Mci("status MP3Play mode", 30, "0", "stopped"),
                       Mci("stop MP3Play", "0"),
                       Mci("play MP3Play from 0", "0"),
                       "# CheckMP3Repeat",
                       Mci("status MP3Play mode", 30, "0", "playing"),
                       "# StopMP3",
                       Mci("stop MP3Play", "0"),
                       Mci("close MP3Play", "0"),
                   }));
}

TEST_F(RecordedMusic, WavStartAndStop) {
    const std::string file = "C:\\Music Files\\rain loop.wav";
    EXPECT_EQ(Run("waveout 1\n", {"--file", file, "PlayWAV", "StopWAV"}),
              (Lines{"# PlayWAV", "waveOutGetNumDevs -> 1",
                     "PlaySoundA \"" + file + "\" module=0 flags=9 -> 1", "# StopWAV",
                     "PlaySoundA NULL module=0 flags=0 -> 1"}));
}

// Wine's own winmm, loaded by this process: no CD drive, an MPEG player that
// cannot open a missing file, and as many wave devices as ALSA offers.
class WineMultimedia : public ::testing::Test {
protected:
    void SetUp() override {
        SetMultimediaServices(nullptr);
        BGMRepeat = 0;
    }
};

TEST_F(WineMultimedia, IsWinesOwnWinmm) {
    char path[MAX_PATH] = {};
    HMODULE winmm = GetModuleHandleA("winmm.dll");
    ASSERT_NE(winmm, nullptr);
    GetModuleFileNameA(winmm, path, MAX_PATH);
    EXPECT_NE(std::string(path).find("system32"), std::string::npos) << path;
}

TEST_F(WineMultimedia, CdAudioFailsAndThePollStops) {
    EXPECT_NE(PlatformMultimediaServices().SendString("open cdaudio", nullptr, 0), 0u);
    const std::string reply = QueryMCI("status cdaudio current track");
    EXPECT_EQ(reply.compare(0, 6, "Error:"), 0) << reply;
    OpenCD();
    CDActive = true;
    CheckCDRepeat();
    EXPECT_FALSE(CDActive);
    StopCD();
}

TEST_F(WineMultimedia, MissingMp3NeitherPlaysNorComplains) {
    BGMFile = "C:\\glintra-no-such-folder\\missing song.mp3";
    PlayMP3();
    EXPECT_FALSE(IsMP3Playing());
    CheckMP3Repeat();
    EXPECT_FALSE(IsMP3Playing());
    StopMP3();
}

TEST_F(WineMultimedia, WaveDevicesAndAMissingWavFile) {
    const unsigned devices = PlatformMultimediaServices().WaveOutDeviceCount();
    EXPECT_LT(devices, 64u);
    BGMFile = "C:\\glintra-no-such-folder\\missing.wav";
    PlayWAV();
    StopWAV();
    // Stopping with nothing playing succeeds.
    EXPECT_TRUE(PlatformMultimediaServices().PlaySoundNamed(nullptr, 0));
}

}  // namespace
