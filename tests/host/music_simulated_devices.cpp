#include "music_simulated_devices.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whole decimal number, nothing else.
bool ToInt(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] < '0' || text[j] > '9') return false;
    }
    value = std::stoi(text);
    return true;
}

}  // namespace

uint32_t SimulatedMultimedia::SendString(const char* command, char* reply, unsigned replyLength) {
    std::string call = command;
    if (reply) call += " [" + std::to_string(replyLength) + "]";
    calls.push_back(call);

    std::string text;
    const uint32_t code = Answer(command, text);
    if (reply && replyLength > 0) {
        const auto unterminated = unterminatedReplies.find(command);
        if (unterminated != unterminatedReplies.end() && !unterminated->second.empty()) {
            const std::string& fill = unterminated->second;
            for (unsigned i = 0; i < replyLength; ++i) reply[i] = fill[i % fill.size()];
        } else if (code == 0) {
            const std::size_t n = std::min<std::size_t>(text.size(), replyLength - 1);
            std::memcpy(reply, text.data(), n);
            reply[n] = '\0';
        } else {
            reply[0] = '\0';
        }
    }
    return code;
}

unsigned SimulatedMultimedia::WaveOutDeviceCount() {
    calls.push_back("waveOutGetNumDevs");
    return waveDevices;
}

bool SimulatedMultimedia::PlaySoundNamed(const char* name, unsigned flags) {
    calls.push_back(std::string("PlaySound ") + (name ? name : "(null)") + " " +
                    std::to_string(flags));
    return waveDevices > 0 || name == nullptr;
}

uint32_t SimulatedMultimedia::Answer(const std::string& command, std::string& reply) {
    if (command.find("cdaudio") != std::string::npos) return AnswerCd(command, reply);
    if (command.find("MP3Play") != std::string::npos) return AnswerMp3(command, reply);
    return kUnrecognised;
}

uint32_t SimulatedMultimedia::AnswerCd(const std::string& command, std::string& reply) {
    if (!cd.answers) return kHardware;
    if (command == "open cdaudio") {
        cd.open = true;
        return 0;
    }
    if (!cd.open) return kInvalidDeviceName;
    if (command == "set cdaudio time format tmsf") return 0;
    if (command == "status cdaudio current track") {
        reply = std::to_string(cd.track);
        return 0;
    }
    if (command == "status cdaudio number of tracks") {
        reply = std::to_string(cd.trackCount);
        return 0;
    }
    if (command == "status cdaudio mode") {
        reply = cd.mode;
        return 0;
    }
    const std::string positionOf = "status cdaudio position track ";
    if (StartsWith(command, positionOf)) {
        int track = 0;
        if (!ToInt(command.substr(positionOf.size()), track)) return kUnrecognised;
        if (track < 1 || track > cd.trackCount) return kOutOfRange;
        char tmsf[16];
        std::snprintf(tmsf, sizeof tmsf, "%02d:00:00:00", track);
        reply = tmsf;
        return 0;
    }
    if (command == "play cdaudio") {
        cd.mode = "playing";
        return 0;
    }
    const std::string playFrom = "play cdaudio from ";
    if (StartsWith(command, playFrom)) {
        // tt:mm:ss:ff; only the track matters here.
        const std::string start = command.substr(playFrom.size());
        int track = 0;
        if (!ToInt(start.substr(0, start.find(':')), track) || track < 1 || track > cd.trackCount) {
            return kOutOfRange;
        }
        cd.track = track;
        cd.mode = "playing";
        return 0;
    }
    if (command == "stop cdaudio") {
        cd.mode = "stopped";
        return 0;
    }
    if (command == "close cdaudio") {
        cd.open = false;
        return 0;
    }
    return kUnrecognised;
}

uint32_t SimulatedMultimedia::AnswerMp3(const std::string& command, std::string& reply) {
    const std::string openPrefix = "open \"";
    const std::string openSuffix = "\" type MPEGVideo Alias MP3Play";
    if (StartsWith(command, openPrefix)) {
        if (command.size() < openPrefix.size() + openSuffix.size() ||
            command.compare(command.size() - openSuffix.size(), openSuffix.size(), openSuffix) !=
                0) {
            return kUnrecognised;
        }
        const std::string path = command.substr(
            openPrefix.size(), command.size() - openPrefix.size() - openSuffix.size());
        if (!mp3.openableFiles.count(path)) return kFileNotFound;
        mp3.open = true;
        mp3.mode = "stopped";
        return 0;
    }
    if (!mp3.open) return kInvalidDeviceName;
    if (command == "status MP3Play mode") {
        reply = mp3.mode;
        return 0;
    }
    if (command == "play MP3Play" || command == "play MP3Play from 0") {
        mp3.mode = "playing";
        return 0;
    }
    if (command == "stop MP3Play") {
        mp3.mode = "stopped";
        return 0;
    }
    if (command == "close MP3Play") {
        mp3.open = false;
        return 0;
    }
    return kUnrecognised;
}
