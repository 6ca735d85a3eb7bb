// The music player against a simulated CD drive, MPEG player and wave
// devices: what is sent, in which order, with which reply buffers, and how the
// polls restart music that has ended.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/music/music_player.h"
#include "music_simulated_devices.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kTrack = "status cdaudio current track [512]";
const std::string kTracks = "status cdaudio number of tracks [512]";
const std::string kMode = "status cdaudio mode [255]";
const std::string kMp3Mode = "status MP3Play mode [30]";

class MusicPlayerTest : public ::testing::Test {
protected:
    // Calls made from here on.
    Calls Take() {
        Calls taken;
        taken.swap(sim.calls);
        return taken;
    }

    SimulatedMultimedia sim;
    MusicPlayer player{sim};
};

TEST_F(MusicPlayerTest, SendMciPassesTheGeneralBufferAndKeepsTheReplyOnlyOnSuccess) {
    sim.cd.open = true;
    sim.cd.track = 4;
    std::string reply = "earlier";
    EXPECT_EQ(player.SendMCI("status cdaudio current track", reply), 0);
    EXPECT_EQ(reply, "4");

    reply = "earlier";
    EXPECT_EQ(player.SendMCI("status cdaudio position track 99", reply),
              static_cast<int32_t>(SimulatedMultimedia::kOutOfRange));
    EXPECT_EQ(reply, "earlier");
    EXPECT_EQ(Take(), (Calls{kTrack, "status cdaudio position track 99 [512]"}));
}

TEST_F(MusicPlayerTest, QueryMciTurnsAFailureIntoErrorAndTheCode) {
    EXPECT_EQ(player.QueryMCI("status cdaudio mode"), "Error:263");  // not opened
    sim.cd.answers = false;
    EXPECT_EQ(player.QueryMCI("status cdaudio mode"), "Error:262");
    EXPECT_EQ(player.QueryMCI("launch rockets"), "Error:261");
}

TEST_F(MusicPlayerTest, RepliesWithoutNulAreReadOnlyWithinTheirBuffers) {
    sim.cd.open = true;
    sim.unterminatedReplies["status cdaudio current track"] = "abc";
    const std::string reply = player.QueryMCI("status cdaudio current track");
    EXPECT_EQ(reply.size(), 512u);
    EXPECT_EQ(reply.substr(0, 6), "abcabc");

    // The mode words are read unterminated: seven characters are all that count.
    sim.mp3.open = true;
    sim.unterminatedReplies["status MP3Play mode"] = "playing";
    EXPECT_TRUE(player.IsMP3Playing());
    sim.unterminatedReplies.clear();
    sim.unterminatedReplies["status cdaudio mode"] = "stopped";
    player.CheckCDRepeat(0);
    EXPECT_EQ(sim.cd.mode, "playing");
}

TEST_F(MusicPlayerTest, PlayMciAddsTheStartOnlyWhenThereIsOne) {
    sim.cd.open = true;
    EXPECT_EQ(player.PlayMCI("cdaudio", ""), 0);
    EXPECT_EQ(player.PlayMCI("cdaudio", "02:00:00:00"), 0);
    EXPECT_EQ(player.PlayMCI("cdaudio", "Error:282"),
              static_cast<int32_t>(SimulatedMultimedia::kOutOfRange));
    EXPECT_EQ(Take(), (Calls{"play cdaudio [512]", "play cdaudio from 02:00:00:00 [512]",
                             "play cdaudio from Error:282 [512]"}));
}

TEST_F(MusicPlayerTest, OpenAndStopCdSendTheirCommandsWithoutReplyBuffers) {
    player.OpenCD();
    player.StopCD();
    // A drive that is not there gets the same commands; the failures go unheard.
    sim.cd.answers = false;
    player.OpenCD();
    player.StopCD();
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

class CdPolls : public MusicPlayerTest, public ::testing::WithParamInterface<CdPoll> {};

TEST_P(CdPolls, OnePoll) {
    const CdPoll& p = GetParam();
    sim.cd.trackCount = p.trackCount;
    sim.cd.track = p.track;
    sim.cd.mode = p.mode;
    player.OpenCD();
    Take();

    player.CheckCDRepeat(p.repeat);
    Calls expected{kTrack, kTracks, kMode};
    expected.insert(expected.end(), p.sentAfterQueries.begin(), p.sentAfterQueries.end());
    EXPECT_EQ(Take(), expected);
    EXPECT_EQ(player.CDActive(), p.active);
    EXPECT_EQ(sim.cd.track, p.trackAfter);
    EXPECT_EQ(sim.cd.mode, p.modeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    MusicPlayerTest, CdPolls,
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

TEST_F(MusicPlayerTest, CdDriveThatDoesNotAnswerEndsThePollAfterTheFirstQuery) {
    player.OpenCD();  // nothing opened: no drive
    sim.cd.answers = false;
    Take();
    player.CheckCDRepeat(0);
    EXPECT_FALSE(player.CDActive());
    EXPECT_EQ(Take(), Calls{kTrack});
}

// A current track or track count that is not a number; with a repeat track
// the current one is compared and the poll fails, without one it is not.
class CdReplies : public MusicPlayerTest {
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
        scripted.drive = &sim;
        sim.cd.open = true;
    }

    MusicPlayer scriptedPlayer{scripted};
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
        sim.cd.mode = "playing";
        scriptedPlayer.CheckCDRepeat(c.repeat);
        EXPECT_EQ(scriptedPlayer.CDActive(), c.active);
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
        scriptedPlayer.CheckCDRepeat(0);
        EXPECT_FALSE(scriptedPlayer.CDActive());
        EXPECT_EQ(Take().size(), c.queries);
    }
}

TEST_F(MusicPlayerTest, CdRepeatTrackOverAPlayedDisc) {
    player.OpenCD();
    player.CheckCDRepeat(2);  // stopped on track 1: jump to 2
    EXPECT_EQ(sim.cd.track, 2);
    player.CheckCDRepeat(2);  // playing track 2
    sim.cd.track = 3;         // ran on into track 3
    Take();
    player.CheckCDRepeat(2);
    EXPECT_EQ(Take(), (Calls{kTrack, kTracks, kMode, "status cdaudio position track 2 [512]",
                             "play cdaudio from 02:00:00:00 [512]"}));
    EXPECT_EQ(sim.cd.track, 2);
    EXPECT_TRUE(player.CDActive());

    sim.cd.answers = false;  // disc taken out
    player.CheckCDRepeat(2);
    EXPECT_FALSE(player.CDActive());
    sim.cd.answers = true;
    player.StopCD();
    EXPECT_EQ(Take(), (Calls{kTrack, "stop cdaudio", "close cdaudio"}));
}

TEST_F(MusicPlayerTest, CdRepeatTrackNotOnTheDiscIsRetriedEveryPoll) {
    player.OpenCD();
    Take();
    for (int poll = 0; poll < 5; ++poll) {
        player.CheckCDRepeat(11);
        EXPECT_TRUE(player.CDActive());
        EXPECT_EQ(Take(), (Calls{kTrack, kTracks, kMode, "status cdaudio position track 11 [512]",
                                 "play cdaudio from Error:282 [512]"}));
    }
}

TEST_F(MusicPlayerTest, Mp3OpensThePathInQuotesThenPlays) {
    const std::string file = "C:\\My Music\\night drive.mp3";
    sim.mp3.openableFiles.insert(file);
    player.PlayMP3(file);
    EXPECT_EQ(Take(), (Calls{"open \"C:\\My Music\\night drive.mp3\" type MPEGVideo Alias MP3Play",
                             "play MP3Play"}));
    EXPECT_EQ(sim.mp3.mode, "playing");
}

TEST_F(MusicPlayerTest, Mp3RestartsFromZeroOnceItHasEnded) {
    sim.mp3.openableFiles.insert("C:\\a.mp3");
    player.PlayMP3("C:\\a.mp3");
    Take();
    player.CheckMP3Repeat();
    EXPECT_EQ(Take(), Calls{kMp3Mode});

    sim.mp3.mode = "stopped";  // played to its end
    player.CheckMP3Repeat();
    EXPECT_EQ(Take(), (Calls{kMp3Mode, "stop MP3Play", "play MP3Play from 0"}));
    EXPECT_EQ(sim.mp3.mode, "playing");

    player.StopMP3();
    EXPECT_EQ(Take(), (Calls{"stop MP3Play", "close MP3Play"}));
    EXPECT_FALSE(sim.mp3.open);
}

TEST_F(MusicPlayerTest, Mp3ThatNeverOpenedIsRestartedInVainEveryPoll) {
    player.PlayMP3("C:\\missing.mp3");
    EXPECT_EQ(Take(), Calls{"open \"C:\\missing.mp3\" type MPEGVideo Alias MP3Play"});
    for (int poll = 0; poll < 3; ++poll) {
        player.CheckMP3Repeat();
        EXPECT_EQ(Take(), (Calls{kMp3Mode, "stop MP3Play", "play MP3Play from 0"}));
    }
    EXPECT_FALSE(sim.mp3.open);
}

TEST_F(MusicPlayerTest, Mp3ModeWordsCountByTheirFirstSevenCharacters) {
    sim.mp3.open = true;
    const struct {
        const char* mode;
        bool playing;
    } cases[] = {{"playing", true}, {"playingX", true}, {"play", false},
                 {"paused", false}, {"stopped", false}, {"", false}};
    for (const auto& c : cases) {
        sim.mp3.mode = c.mode;
        EXPECT_EQ(player.IsMP3Playing(), c.playing) << c.mode;
    }
}

TEST_F(MusicPlayerTest, Mp3PathThatCouldEscapeItsQuotesIsNotOpened) {
    for (const std::string& path : {std::string("C:\\a.mp3\" type waveaudio alias x wait \""),
                                    std::string("C:\\a.mp3\0\" x", 13)}) {
        player.PlayMP3(path);
        EXPECT_EQ(Take(), Calls{});
    }
}

TEST_F(MusicPlayerTest, WavLoopsOnlyWhenThereIsAWaveDevice) {
    const std::string file = "C:\\My Music\\rain loop.wav";
    player.PlayWAV(file);
    player.StopWAV();
    EXPECT_EQ(Take(), (Calls{"waveOutGetNumDevs", "PlaySound (null) 0"}));

    sim.waveDevices = 1;
    player.PlayWAV(file);
    player.StopWAV();
    EXPECT_EQ(Take(), (Calls{"waveOutGetNumDevs", "PlaySound C:\\My Music\\rain loop.wav 9",
                             "PlaySound (null) 0"}));
}

TEST(MusicPlayerPlatform, WithoutMultimediaEveryCommandFailsQuietly) {
    MusicPlayer player;
    player.OpenCD();
    player.CheckCDRepeat(0);
    EXPECT_FALSE(player.CDActive());
    EXPECT_EQ(player.QueryMCI("status cdaudio mode"), "Error:306");
    player.PlayMP3("C:\\a.mp3");
    EXPECT_FALSE(player.IsMP3Playing());
    EXPECT_EQ(PlatformMultimediaServices().WaveOutDeviceCount(), 0u);
}

}  // namespace
