// winmm behind the music player's seam.
#include <windows.h>
#include <mmsystem.h>

#include "host/music/multimedia_services.h"

namespace {

class Win32Multimedia final : public MultimediaServices {
public:
    uint32_t SendString(const char* command, char* reply, unsigned replyLength) override {
        return mciSendStringA(command, reply, replyLength, nullptr);
    }
    unsigned WaveOutDeviceCount() override { return waveOutGetNumDevs(); }
    bool PlaySoundNamed(const char* name, unsigned flags) override {
        return PlaySoundA(name, nullptr, flags) != FALSE;
    }
};

}  // namespace

MultimediaServices& PlatformMultimediaServices() {
    static Win32Multimedia services;
    return services;
}
