#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/music/multimedia_services.h"

// A CD drive, an MPEG player and wave devices behind the multimedia seam,
// answering MCI command strings as winmm's drivers do. Tests move time on by
// changing the devices' state between calls (a track runs on, a file ends, the
// drive stops answering) and read back every call in order.
class SimulatedMultimedia final : public MultimediaServices {
public:
    // MCI error codes the simulation answers with.
    static constexpr uint32_t kHardware = 262;           // MCIERR_HARDWARE
    static constexpr uint32_t kInvalidDeviceName = 263;  // MCIERR_INVALID_DEVICE_NAME
    static constexpr uint32_t kFileNotFound = 275;       // MCIERR_FILE_NOT_FOUND
    static constexpr uint32_t kOutOfRange = 282;         // MCIERR_OUTOFRANGE
    static constexpr uint32_t kUnrecognised = 261;       // MCIERR_UNRECOGNIZED_COMMAND

    struct CdDrive {
        bool answers = true;  // false: a drive that has gone (disc out, hardware error)
        bool open = false;
        int trackCount = 10;
        int track = 1;
        std::string mode = "stopped";
    } cd;

    struct Mp3Player {
        std::set<std::string> openableFiles;
        bool open = false;
        std::string mode = "stopped";
    } mp3;

    unsigned waveDevices = 0;

    // Commands whose reply fills the whole buffer with the given text,
    // repeated, and no NUL, as a misbehaving driver might.
    std::map<std::string, std::string> unterminatedReplies;

    // Every call, in order: MCI commands as the text, followed by
    // " [<length>]" when a reply buffer came with it; sounds as
    // "PlaySound <name or (null)> <flags>"; "waveOutGetNumDevs".
    std::vector<std::string> calls;

    uint32_t SendString(const char* command, char* reply, unsigned replyLength) override;
    unsigned WaveOutDeviceCount() override;
    bool PlaySoundNamed(const char* name, unsigned flags) override;

private:
    uint32_t Answer(const std::string& command, std::string& reply);
    uint32_t AnswerCd(const std::string& command, std::string& reply);
    uint32_t AnswerMp3(const std::string& command, std::string& reply);
};
