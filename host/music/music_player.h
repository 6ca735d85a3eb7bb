#pragma once

#include <cstdint>
#include <string>

// Glintra_BGM: background music while the saver runs. The saver form calls a
// start procedure when it loads, a check procedure from its timers (CD every
// 200 ms, MP3 every second) and a stop procedure when it unloads; the checks
// restart whatever has ended, which is how the music repeats. The procedures
// take the file and CD track from BGMFile and BGMRepeat (host/saver/settings.h)
// and talk to the platform through CurrentMultimediaServices().

// True while the CD drive answers the checks; each CheckCDRepeat sets it and
// the saver form keeps its CD timer running only while it stays true.
extern bool CDActive;

// PlaySoundA flags used here.
constexpr unsigned kSoundAsync = 0x1;
constexpr unsigned kSoundLoop = 0x8;

// Music CD in the drive "cdaudio".
void OpenCD();
void CheckCDRepeat();
void StopCD();

// The MP3 file in BGMFile, opened under the alias "MP3Play".
void PlayMP3();
void CheckMP3Repeat();
void StopMP3();
bool IsMP3Playing();

// The WAV file in BGMFile, looped by the sound player itself.
void PlayWAV();
void StopWAV();

// Sends `command` with a 512-character reply buffer and returns the MCI result
// code; on success `reply` becomes the reply text, else it is left alone.
int32_t SendMCI(const std::string& command, std::string& reply);

// The reply to `command`, or "Error:" and the result code in decimal.
std::string QueryMCI(const std::string& command);

// Sends "play <device>", with " from <start>" when `start` is not empty.
int32_t PlayMCI(const std::string& device, const std::string& start);
