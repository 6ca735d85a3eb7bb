// The music procedures against a simulated CD drive, MPEG player and wave
// devices: what is sent, in which order, with which reply buffers, and how the
// polls restart music that has ended.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/music/music_player.h"
#include "host/saver/settings.h"
#include "music_simulated_devices.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kTrack = "status cdaudio current track [512]";
const std::string kTracks = "status cdaudio number of tracks [512]";
const std::string kMode = "status cdaudio mode [255]";
const std::string kMp3Mode = "status MP3Play mode [30]";

class MusicPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        SetMultimediaServices(&sim);
        BGMKind = 0;
        BGMRepeat = 0;
        BGMFile.clear();
        CDActive = false;
    }
    void TearDown() override { SetMultimediaServices(nullptr); }

    // Calls made from here on.
    Calls Take() {
        Calls taken;
        taken.swap(sim.calls);
        return taken;
    }

    SimulatedMultimedia sim;
};

TEST_F(MusicPlayer, SendMciPassesTheGeneralBufferAndKeepsTheReplyOnlyOnSuccess) {
    sim.cd.open = true;
    sim.cd.track = 4;
    std::string reply = "earlier";
    EXPECT_EQ(SendMCI("status cdaudio current track", reply), 0);
    EXPECT_EQ(reply, "4");

    reply = "earlier";
    EXPECT_EQ(SendMCI("status cdaudio position track 99", reply),
              static_cast<int32_t>(SimulatedMultimedia::kOutOfRange));
    EXPECT_EQ(reply, "earlier");
    EXPECT_EQ(Take(), (Calls{kTrack, "status cdaudio position track 99 [512]"}));
}

TEST_F(MusicPlayer, QueryMciTurnsAFailureIntoErrorAndTheCode) {
    EXPECT_EQ(QueryMCI("status cdaudio mode"), "Error:263");  // not opened
    sim.cd.answers = false;
    EXPECT_EQ(QueryMCI("status cdaudio mode"), "Error:262");
    EXPECT_EQ(QueryMCI("launch rockets"), "Error:261");
}

TEST_F(MusicPlayer, RepliesWithoutNulAreReadOnlyWithinTheirBuffers) {
    sim.cd.open = true;
    sim.unterminatedReplies["status cdaudio current track"] = "abc";
    const std::string reply = QueryMCI("status cdaudio current track");
    EXPECT_EQ(reply.size(), 512u);
    EXPECT_EQ(reply.substr(0, 6), "abcabc");

    // The mode words are read unterminated: seven characters are all that count.
    sim.mp3.open = true;
    sim.unterminatedReplies["status MP3Play mode"] = "playing";
    EXPECT_TRUE(IsMP3Playing());
    sim.unterminatedReplies.clear();
    sim.unterminatedReplies["status cdaudio mode"] = "stopped";
    CheckCDRepeat();
    EXPECT_EQ(sim.cd.mode, "playing");
}

TEST_F(MusicPlayer, PlayMciAddsTheStartOnlyWhenThereIsOne) {
    sim.cd.open = true;
    EXPECT_EQ(PlayMCI("cdaudio", ""), 0);
    EXPECT_EQ(PlayMCI("cdaudio", "02:00:00:00"), 0);
    EXPECT_EQ(PlayMCI("cdaudio", "Error:282"),
              static_cast<int32_t>(SimulatedMultimedia::kOutOfRange));
    EXPECT_EQ(Take(), (Calls{"play cdaudio [512]", "play cdaudio from 02:00:00:00 [512]",
                             "play cdaudio from Error:282 [512]"}));
}

TEST_F(MusicPlayer, OpenAndStopCdSendTheirCommandsWithoutReplyBuffers) {
    OpenCD();
    StopCD();
    // A drive that is not there gets the same commands; the failures go unheard.
    sim.cd.answers = false;
    OpenCD();
    StopCD();
    const Calls once{"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio",
                     "close cdaudio"};
    Calls twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(Take(), twice);
}

// One poll of a drive in a given state.
struct CdPoll {
    const char* name;
    int16_t repeat;
    int trackCount;
    int track;
    const char* mode;
    Calls sentAfterQueries;  // after the current track, track count and mode queries
    bool active;
    int trackAfter;
    const char* modeAfter;
};

class CdPolls : public MusicPlayer, public ::testing::WithParamInterface<CdPoll> {};

TEST_P(CdPolls, OnePoll) {
    const CdPoll& p = GetParam();
    BGMRepeat = p.repeat;
    sim.cd.trackCount = p.trackCount;
    sim.cd.track = p.track;
    sim.cd.mode = p.mode;
    OpenCD();
    Take();

    CheckCDRepeat();
    Calls expected{kTrack, kTracks, kMode};
    expected.insert(expected.end(), p.sentAfterQueries.begin(), p.sentAfterQueries.end());
    EXPECT_EQ(Take(), expected);
    EXPECT_EQ(CDActive, p.active);
    EXPECT_EQ(sim.cd.track, p.trackAfter);
    EXPECT_EQ(sim.cd.mode, p.modeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    MusicPlayer, CdPolls,
    ::testing::Values(
        CdPoll{"WholeDiscStoppedStartsAgain",
               0,
               10,
               10,
               "stopped",
               {"play cdaudio [512]"},
               true,
               10,
               "playing"},
        CdPoll{"WholeDiscPlayingIsLeftAlone", 0, 10, 7, "playing", {}, true, 7, "playing"},
        CdPoll{"WholeDiscPausedIsLeftAlone", 0, 10, 7, "paused", {}, true, 7, "paused"},
        CdPoll{"RepeatTrackPlayingIsLeftAlone", 3, 10, 3, "playing", {}, true, 3, "playing"},
        CdPoll{"RepeatTrackRunOnJumpsBack",
               3,
               10,
               5,
               "playing",
               {"status cdaudio position track 3 [512]", "play cdaudio from 03:00:00:00 [512]"},
               true,
               3,
               "playing"},
        CdPoll{"RepeatTrackStoppedOnItStartsIt",
               3,
               10,
               3,
               "stopped",
               {"status cdaudio position track 3 [512]", "play cdaudio from 03:00:00:00 [512]"},
               true,
               3,
               "playing"},
        CdPoll{"RepeatTrackBeyondTheDiscSendsTheError",
               12,
               10,
               10,
               "stopped",
               {"status cdaudio position track 12 [512]", "play cdaudio from Error:282 [512]"},
               true,
               10,
               "stopped"},
        CdPoll{"NegativeRepeatTrackSendsTheError",
               -2,
               10,
               1,
               "playing",
               {"status cdaudio position track -2 [512]", "play cdaudio from Error:282 [512]"},
               true,
               1,
               "playing"}),
    [](const ::testing::TestParamInfo<CdPoll>& info) { return std::string(info.param.name); });

TEST_F(MusicPlayer, CdDriveThatDoesNotAnswerEndsThePollAfterTheFirstQuery) {
    OpenCD();  // nothing opened: no drive
    sim.cd.answers = false;
    Take();
    CDActive = true;
    CheckCDRepeat();
    EXPECT_FALSE(CDActive);
    EXPECT_EQ(Take(), Calls{kTrack});
}

// A current track or track count that is not a number; with a repeat track
// the current one is compared and the poll fails, without one it is not.
class CdReplies : public MusicPlayer {
protected:
    // Answers the two track queries with fixed text, the rest as the drive.
    struct Scripted : MultimediaServices {
        SimulatedMultimedia* drive;
        std::string track, trackCount;
        uint32_t SendString(const char* command, char* reply, unsigned length) override {
            const std::string c = command;
            const std::string* text = c == "status cdaudio current track"      ? &track
                                      : c == "status cdaudio number of tracks" ? &trackCount
                                                                               : nullptr;
            if (!text) return drive->SendString(command, reply, length);
            drive->calls.push_back(c + " [" + std::to_string(length) + "]");
            std::snprintf(reply, length, "%s", text->c_str());
            return 0;
        }
        unsigned WaveOutDeviceCount() override { return 0; }
        bool PlaySoundNamed(const char*, unsigned) override { return false; }
    } scripted;

    void SetUp() override {
        MusicPlayer::SetUp();
        scripted.drive = &sim;
        SetMultimediaServices(&scripted);
        sim.cd.open = true;
    }
};

TEST_F(CdReplies, TrackThatIsNoNumberFailsThePollOnlyWhenCompared) {
    struct Case {
        const char* track;
        int16_t repeat;
        bool active;
        bool jumped;
    };
    const Case cases[] = {
        {"two", 3, false, false}, {"", 3, false, false},    {"3x", 3, false, false},
        {" 3 ", 3, true, false},  {"+3.0", 3, true, false}, {"3.5", 3, true, true},
        {"two", 0, true, false},  {"", 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("track \"") + c.track + "\", repeat " + std::to_string(c.repeat));
        scripted.track = c.track;
        scripted.trackCount = "10";
        BGMRepeat = c.repeat;
        sim.cd.mode = "playing";
        CheckCDRepeat();
        EXPECT_EQ(CDActive, c.active);
        const Calls calls = Take();
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls.size() > 3, c.jumped);
    }
}

TEST_F(CdReplies, ErrAnywhereInATrackReplyMeansTheDriveIsGone) {
    struct Case {
        const char* track;
        const char* trackCount;
        std::size_t queries;
    };
    const Case cases[] = {
        {"Error:262", "10", 1}, {"terrible", "10", 1}, {"3", "ERR", 2}, {"3", "no err here", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.track) + " / " + c.trackCount);
        scripted.track = c.track;
        scripted.trackCount = c.trackCount;
        CheckCDRepeat();
        EXPECT_FALSE(CDActive);
        EXPECT_EQ(Take().size(), c.queries);
    }
}

TEST_F(MusicPlayer, CdRepeatTrackOverAPlayedDisc) {
    BGMRepeat = 2;
    OpenCD();
    CheckCDRepeat();  // stopped on track 1: jump to 2
    EXPECT_EQ(sim.cd.track, 2);
    CheckCDRepeat();   // playing track 2
    sim.cd.track = 3;  // ran on into track 3
    Take();
    CheckCDRepeat();
    EXPECT_EQ(Take(), (Calls{kTrack, kTracks, kMode, "status cdaudio position track 2 [512]",
                             "play cdaudio from 02:00:00:00 [512]"}));
    EXPECT_EQ(sim.cd.track, 2);
    EXPECT_TRUE(CDActive);

    sim.cd.answers = false;  // disc taken out
    CheckCDRepeat();
    EXPECT_FALSE(CDActive);
    sim.cd.answers = true;
    StopCD();
    EXPECT_EQ(Take(), (Calls{kTrack, "stop cdaudio", "close cdaudio"}));
}

TEST_F(MusicPlayer, CdRepeatTrackNotOnTheDiscIsRetriedEveryPoll) {
    BGMRepeat = 11;
    OpenCD();
    Take();
    for (int poll = 0; poll < 5; ++poll) {
        CheckCDRepeat();
        EXPECT_TRUE(CDActive);
        EXPECT_EQ(Take(), (Calls{kTrack, kTracks, kMode, "status cdaudio position track 11 [512]",
                                 "play cdaudio from Error:282 [512]"}));
    }
}

TEST_F(MusicPlayer, Mp3OpensThePathInQuotesThenPlays) {
    BGMFile = "C:\\My Music\\night drive.mp3";
    sim.mp3.openableFiles.insert(BGMFile);
    PlayMP3();
    EXPECT_EQ(Take(), (Calls{"open \"C:\\My Music\\night drive.mp3\" type MPEGVideo Alias MP3Play",
                             "play MP3Play"}));
    EXPECT_EQ(sim.mp3.mode, "playing");
}

TEST_F(MusicPlayer, Mp3RestartsFromZeroOnceItHasEnded) {
    BGMFile = "C:\\a.mp3";
    sim.mp3.openableFiles.insert(BGMFile);
    PlayMP3();
    Take();
    CheckMP3Repeat();
    EXPECT_EQ(Take(), Calls{kMp3Mode});

    sim.mp3.mode = "stopped";  // played to its end
    CheckMP3Repeat();
    EXPECT_EQ(Take(), (Calls{kMp3Mode, "stop MP3Play", "play MP3Play from 0"}));
    EXPECT_EQ(sim.mp3.mode, "playing");

    StopMP3();
    EXPECT_EQ(Take(), (Calls{"stop MP3Play", "close MP3Play"}));
    EXPECT_FALSE(sim.mp3.open);
}

TEST_F(MusicPlayer, Mp3ThatNeverOpenedIsRestartedInVainEveryPoll) {
    BGMFile = "C:\\missing.mp3";
    PlayMP3();
    EXPECT_EQ(Take(), Calls{"open \"C:\\missing.mp3\" type MPEGVideo Alias MP3Play"});
    for (int poll = 0; poll < 3; ++poll) {
        CheckMP3Repeat();
        EXPECT_EQ(Take(), (Calls{kMp3Mode, "stop MP3Play", "play MP3Play from 0"}));
    }
    EXPECT_FALSE(sim.mp3.open);
}

TEST_F(MusicPlayer, Mp3ModeWordsCountByTheirFirstSevenCharacters) {
    sim.mp3.open = true;
    const struct {
        const char* mode;
        bool playing;
    } cases[] = {{"playing", true}, {"playingX", true}, {"play", false},
                 {"paused", false}, {"stopped", false}, {"", false}};
    for (const auto& c : cases) {
        sim.mp3.mode = c.mode;
        EXPECT_EQ(IsMP3Playing(), c.playing) << c.mode;
    }
}

TEST_F(MusicPlayer, Mp3PathThatCouldEscapeItsQuotesIsNotOpened) {
    for (const std::string& path : {std::string("C:\\a.mp3\" type waveaudio alias x wait \""),
                                    std::string("C:\\a.mp3\0\" x", 13)}) {
        BGMFile = path;
        PlayMP3();
        EXPECT_EQ(Take(), Calls{});
    }
}

TEST_F(MusicPlayer, WavLoopsOnlyWhenThereIsAWaveDevice) {
    BGMFile = "C:\\My Music\\rain loop.wav";
    PlayWAV();
    StopWAV();
    EXPECT_EQ(Take(), (Calls{"waveOutGetNumDevs", "PlaySound (null) 0"}));

    sim.waveDevices = 1;
    PlayWAV();
    StopWAV();
    EXPECT_EQ(Take(), (Calls{"waveOutGetNumDevs", "PlaySound C:\\My Music\\rain loop.wav 9",
                             "PlaySound (null) 0"}));
}

TEST(MusicPlayerPlatform, WithoutMultimediaEveryCommandFailsQuietly) {
    SetMultimediaServices(nullptr);
    OpenCD();
    CheckCDRepeat();
    EXPECT_FALSE(CDActive);
    EXPECT_EQ(QueryMCI("status cdaudio mode"), "Error:306");
    BGMFile = "C:\\a.mp3";
    PlayMP3();
    EXPECT_FALSE(IsMP3Playing());
    EXPECT_EQ(CurrentMultimediaServices().WaveOutDeviceCount(), 0u);
}

}  // namespace
