#pragma once

#include <cstdint>
#include <string>

// The host's three music settings. Start-up loads them once from
// "Glintra.ini" beside the host and hands them to the saver run or the
// settings dialog; only the dialog saves them.
struct Settings {
    int16_t kind = 0;    // 0 none, 1 music CD, 2 the MP3 or WAV file in `file`
    int16_t repeat = 0;  // CD track played over and over; 0 = the whole disc
    std::string file;    // full path of the music file (ANSI code page), "" = none
};

// The settings file's section and key names. The keys are stored as their
// code page 932 bytes whatever the system's code page, so the file's bytes are
// the same on every Windows: "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ".
constexpr const char kIniSection[] = "Section";
constexpr const char kIniKeyKind[] = "BGM\x8B\xE6\x95\xAA";
constexpr const char kIniKeyRepeat[] = "BGM\xD8\xCB\xDF\xB0\xC4";
constexpr const char kIniKeyFile[] = "BGM\xCC\xA7\xB2\xD9";
constexpr const char kIniFileName[] = "\\Glintra.ini";
// SaveSettings writes into "Glintra.ini.new" beside the file and then puts it
// in the file's place, keeping the file's security and attributes; none is
// left behind. Where no such copy can be made, it writes the file itself.
constexpr const char kIniDraftSuffix[] = ".new";

// The settings file: the application folder followed by "\Glintra.ini";
// empty when the host has no application folder (AppFolder()), and then
// nothing is read or written.
std::string SettingsFilePath();

// Reads the three settings from the application folder's Glintra.ini. A
// missing file, section or key, or a number that doesn't convert, gives 0 or
// ""; a music file that can't be opened is cleared and kind 2 becomes 0.
Settings LoadSettings();

// Writes the three settings to the application folder's Glintra.ini, always
// all three, in the order kind, repeat, file. Returns false when they could
// not be written (a read-only folder or file, a locked file, a full disk);
// the file then holds what it held before, all of it.
[[nodiscard]] bool SaveSettings(const Settings& settings);
