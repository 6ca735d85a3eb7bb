#pragma once

#include <cstdint>
#include <string>

#include "host/music/multimedia_services.h"

// Background music while the saver runs. The saver form starts the music
// when it loads, polls it from its timers (CD every 200 ms, MP3 every
// second) and stops it when it unloads; a poll restarts whatever has ended,
// which is how the music repeats. The player is given what it plays and talks
// to the platform through the multimedia services it was made with.
class MusicPlayer {
public:
    // PlaySoundA flags used here.
    static constexpr unsigned kSoundAsync = 0x1;
    static constexpr unsigned kSoundLoop = 0x8;

    explicit MusicPlayer(MultimediaServices& services = PlatformMultimediaServices())
        : services_(services) {}

    // Music CD in the drive "cdaudio". A poll plays track `repeatTrack` over
    // and over (0: the whole disc), and tells whether the drive still
    // answers: CDActive() until the next poll.
    void OpenCD();
    void CheckCDRepeat(int16_t repeatTrack);
    bool CDActive() const { return cdActive_; }
    void StopCD();

    // An MP3 file, opened under the alias "MP3Play".
    void PlayMP3(const std::string& file);
    void CheckMP3Repeat();
    void StopMP3();
    bool IsMP3Playing();

    // A WAV file, looped by the sound player itself.
    void PlayWAV(const std::string& file);
    void StopWAV();

    // Sends `command` with a 512-character reply buffer and returns the MCI
    // result code; on success `reply` becomes the reply text, else it is left
    // alone.
    int32_t SendMCI(const std::string& command, std::string& reply);
    // The reply to `command`, or "Error:" and the result code in decimal.
    std::string QueryMCI(const std::string& command);
    // Sends "play <device>", with " from <start>" when `start` is not empty.
    int32_t PlayMCI(const std::string& device, const std::string& start);

private:
    uint32_t Send(const std::string& command);

    MultimediaServices& services_;
    bool cdActive_ = false;  // the drive answered the last poll
};
