#include "host/music/music_player.h"

#include <array>
#include <cstring>
#include <optional>

#include "host/forms/decimal_number.h"

namespace {

constexpr unsigned kGeneralReplyLength = 512;
// The CD mode is read into a 256-character buffer whose length is given to
// MCI as 255, so the last character always stays NUL.
constexpr std::size_t kCdModeBufferSize = 256;
constexpr unsigned kCdModeReplyLength = 255;
constexpr unsigned kMp3ModeReplyLength = 30;
// Modes are told apart by their first seven characters, unterminated.
constexpr std::size_t kModeWordLength = 7;

// The reply buffers are cleared before every command: MCI empties the reply
// when a command fails, and a device that did not must not leave an earlier
// command's reply to be read as this one's.
template <std::size_t N>
void SendForMode(MultimediaServices& services, const char* command, std::array<char, N>& buffer,
                 unsigned length) {
    static_assert(N >= kModeWordLength);
    buffer.fill('\0');
    services.SendString(command, buffer.data(), length);
}

template <std::size_t N>
bool ModeIs(const std::array<char, N>& buffer, const char (&word)[kModeWordLength + 1]) {
    return std::memcmp(buffer.data(), word, kModeWordLength) == 0;
}

bool ContainsErr(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text.find("ERR") != std::string::npos;
}

}  // namespace

// Commands whose reply and result nobody reads.
uint32_t MusicPlayer::Send(const std::string& command) {
    return services_.SendString(command.c_str(), nullptr, 0);
}

int32_t MusicPlayer::SendMCI(const std::string& command, std::string& reply) {
    std::array<char, kGeneralReplyLength> buffer{};
    // MCI result codes are carried as signed 32-bit values, as callers print them.
    const auto code = static_cast<int32_t>(
        services_.SendString(command.c_str(), buffer.data(), kGeneralReplyLength));
    if (code == 0) {
        const void* nul = std::memchr(buffer.data(), '\0', buffer.size());
        const std::size_t length =
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer.data())
                : buffer.size();
        reply.assign(buffer.data(), length);
    }
    return code;
}

std::string MusicPlayer::QueryMCI(const std::string& command) {
    std::string reply;
    const int32_t code = SendMCI(command, reply);
    if (code != 0) return "Error:" + std::to_string(code);
    return reply;
}

int32_t MusicPlayer::PlayMCI(const std::string& device, const std::string& start) {
    std::string command = "play " + device;
    if (!start.empty()) command += " from " + start;
    std::string reply;
    return SendMCI(command, reply);
}

void MusicPlayer::OpenCD() {
    Send("open cdaudio");
    Send("set cdaudio time format tmsf");
}

// One poll of the drive. The drive counts as gone (CDActive() false) when the
// current track or the track count come back as an MCI error, and also on
// any other failure of the poll itself: a current track that is no number
// while a repeat track has to be compared with it, or a failure to allocate.
// A position query for a track that is not on the disc is not checked: its
// "Error:<code>" is sent on as the start of the play command, which the drive
// rejects, and polling goes on.
void MusicPlayer::CheckCDRepeat(int16_t repeatTrack) {
    cdActive_ = true;
    try {
        const std::string track = QueryMCI("status cdaudio current track");
        if (ContainsErr(track)) {
            cdActive_ = false;
            return;
        }
        const std::string trackCount = QueryMCI("status cdaudio number of tracks");
        if (ContainsErr(trackCount)) {
            cdActive_ = false;
            return;
        }
        std::array<char, kCdModeBufferSize> mode;
        SendForMode(services_, "status cdaudio mode", mode, kCdModeReplyLength);
        const bool stopped = ModeIs(mode, "stopped");

        if (repeatTrack == 0) {
            if (stopped) PlayMCI("cdaudio", "");
            return;
        }
        // The track is compared even when the disc has stopped, so a track
        // that is no number ends the poll either way. The reply is read as a
        // number: decimal digits with an optional sign and fraction, blanks
        // around them allowed, no exponent. A number too far out for a
        // double is no track.
        const std::optional<forms::DecimalNumber> number =
            forms::ScanDecimal(track, {forms::DecimalExponent::kNone});
        if (!number) {
            cdActive_ = false;
            return;
        }
        const std::optional<double> current = forms::ToDouble(*number);
        if (stopped || !current || *current != repeatTrack) {
            const std::string position =
                QueryMCI("status cdaudio position track " + std::to_string(repeatTrack));
            PlayMCI("cdaudio", position);
        }
    } catch (...) {
        cdActive_ = false;
    }
}

void MusicPlayer::StopCD() {
    Send("stop cdaudio");
    Send("close cdaudio");
}

void MusicPlayer::PlayMP3(const std::string& file) {
    // The path travels between double quotes; a quote in it (or a NUL, which
    // would cut the command short) could end the quoted name early and pass
    // the rest of the setting to MCI as keywords. No file name holds either.
    if (file.find_first_of(std::string("\"\0", 2)) != std::string::npos) return;
    if (Send("open \"" + file + "\" type MPEGVideo Alias MP3Play") == 0) Send("play MP3Play");
}

bool MusicPlayer::IsMP3Playing() {
    std::array<char, kMp3ModeReplyLength> mode;
    SendForMode(services_, "status MP3Play mode", mode, kMp3ModeReplyLength);
    return ModeIs(mode, "playing");
}

// A file that never opened is not playing either, so its restart is sent
// every time and fails quietly.
void MusicPlayer::CheckMP3Repeat() {
    if (IsMP3Playing()) return;
    Send("stop MP3Play");
    Send("play MP3Play from 0");
}

void MusicPlayer::StopMP3() {
    Send("stop MP3Play");
    Send("close MP3Play");
}

void MusicPlayer::PlayWAV(const std::string& file) {
    if (services_.WaveOutDeviceCount() > 0) {
        services_.PlaySoundNamed(file.c_str(), kSoundAsync | kSoundLoop);
    }
}

void MusicPlayer::StopWAV() { services_.PlaySoundNamed(nullptr, 0); }
