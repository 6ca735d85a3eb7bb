// winmm behind the music player's seam. winmm is loaded with the services,
// which the first music player asks for, not with the program: only the
// saver run has a player, and the settings dialog and the preview start
// without winmm (and without the audio libraries it loads in turn). It is
// searched for as an import would be and stays loaded for the rest of the
// run, since a sound may still play. Without it every MCI command fails, no
// wave device is there and no sound plays, as on a machine without
// multimedia.
#include <windows.h>
#include <mmsystem.h>

#include "host/music/multimedia_services.h"

namespace {

class Win32Multimedia final : public MultimediaServices {
public:
    Win32Multimedia() {
        const HMODULE winmm = LoadLibraryW(L"winmm.dll");
        if (winmm == nullptr) return;
        Find(winmm, "mciSendStringA", sendString_);
        Find(winmm, "waveOutGetNumDevs", waveOutGetNumDevs_);
        Find(winmm, "PlaySoundA", playSound_);
    }

    uint32_t SendString(const char* command, char* reply, unsigned replyLength) override {
        if (sendString_ == nullptr) return MCIERR_CANNOT_LOAD_DRIVER;
        return sendString_(command, reply, replyLength, nullptr);
    }
    unsigned WaveOutDeviceCount() override {
        return waveOutGetNumDevs_ != nullptr ? waveOutGetNumDevs_() : 0;
    }
    bool PlaySoundNamed(const char* name, unsigned flags) override {
        return playSound_ != nullptr && playSound_(name, nullptr, flags) != FALSE;
    }

private:
    // By way of a function type without parameters, which any function
    // pointer may be cast through.
    template <class Function>
    static void Find(HMODULE module, const char* name, Function*& function) {
        function =
            reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }

    decltype(mciSendStringA)* sendString_ = nullptr;
    decltype(waveOutGetNumDevs)* waveOutGetNumDevs_ = nullptr;
    decltype(PlaySoundA)* playSound_ = nullptr;
};

}  // namespace

MultimediaServices& PlatformMultimediaServices() {
    static Win32Multimedia services;
    return services;
}
