// Where the build has no multimedia services of its own: a machine without a
// CD drive, an MPEG player or a wave device, so the music stays silent.
#include "host/music/multimedia_services.h"

namespace {

// MCIERR_DEVICE_NOT_INSTALLED, what MCI answers for a device it lacks.
constexpr uint32_t kDeviceNotInstalled = 256 + 50;

class NoMultimedia final : public MultimediaServices {
public:
    uint32_t SendString(const char*, char*, unsigned) override { return kDeviceNotInstalled; }
    unsigned WaveOutDeviceCount() override { return 0; }
    bool PlaySoundNamed(const char*, unsigned) override { return false; }
};

}  // namespace

MultimediaServices& PlatformMultimediaServices() {
    static NoMultimedia services;
    return services;
}
