#pragma once

#include <cstdint>

// The seam between the music player and the platform's multimedia
// services: MCI command strings, the count of wave-output devices and the
// sound player. Everything above it is portable and unit-tested against a
// simulated CD drive and MP3 device; below it sits winmm on Windows.
//
// Implementations report failures through their results and never throw.
class MultimediaServices {
public:
    virtual ~MultimediaServices() = default;

    // Carries out one MCI command string (mciSendStringA with no callback
    // window). `reply` is null with `replyLength` 0, or a buffer of at least
    // `replyLength` characters. Returns 0 or an MCI error code. The callers
    // treat whatever lands in `reply` as untrusted: it need not be
    // NUL-terminated.
    virtual uint32_t SendString(const char* command, char* reply, unsigned replyLength) = 0;

    // waveOutGetNumDevs.
    virtual unsigned WaveOutDeviceCount() = 0;

    // PlaySoundA with no module: a null `name` with flags 0 stops the sound.
    virtual bool PlaySoundNamed(const char* name, unsigned flags) = 0;
};

// The services of the platform the build is for: winmm on Windows; elsewhere
// a machine without multimedia (every MCI command fails, no wave device).
MultimediaServices& PlatformMultimediaServices();
