// The music player over the real winmm glue, under Wine's own winmm: that
// the glue reaches it and every failure stays quiet. (Every branch of the
// player: music_player_test, natively; the commands and replies through the
// glue: the saver run's end-to-end tests, with the recording stand-in for
// winmm.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/music/multimedia_services.h"
#include "host/music/music_player.h"

namespace {

// Wine's own winmm, loaded by this process: no CD drive, an MPEG player that
// cannot open a missing file, and as many wave devices as ALSA offers.
class WineMultimedia : public ::testing::Test {
protected:
    MusicPlayer player;
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
    const std::string reply = player.QueryMCI("status cdaudio current track");
    EXPECT_EQ(reply.compare(0, 6, "Error:"), 0) << reply;
    player.OpenCD();
    player.CheckCDRepeat(0);
    EXPECT_FALSE(player.CDActive());
    player.StopCD();
}

TEST_F(WineMultimedia, MissingMp3NeitherPlaysNorComplains) {
    player.PlayMP3("C:\\glintra-no-such-folder\\missing song.mp3");
    EXPECT_FALSE(player.IsMP3Playing());
    player.CheckMP3Repeat();
    EXPECT_FALSE(player.IsMP3Playing());
    player.StopMP3();
}

TEST_F(WineMultimedia, WaveDevicesAndAMissingWavFile) {
    const unsigned devices = PlatformMultimediaServices().WaveOutDeviceCount();
    EXPECT_LT(devices, 64u);
    player.PlayWAV("C:\\glintra-no-such-folder\\missing.wav");
    player.StopWAV();
    // Stopping with nothing playing succeeds.
    EXPECT_TRUE(PlatformMultimediaServices().PlaySoundNamed(nullptr, 0));
}

}  // namespace
