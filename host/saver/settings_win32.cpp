// The settings file over the system's ANSI profile functions. The rules of
// loading live in settings_conversion.cpp; this file only makes the calls.
#include <windows.h>

#include <string>
#include <utility>

#include "host/forms/application.h"
#include "host/saver/ini_file.h"
#include "host/saver/settings.h"
#include "host/saver/settings_conversion.h"

namespace {

// Paths travel in the ANSI code page, where a backslash byte may be the
// second half of a double-byte character.
bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

class ProfileSettingsSource : public SettingsSource {
public:
    explicit ProfileSettingsSource(std::string fileName) : fileName_(std::move(fileName)) {}
    std::string ReadKey(const char* key) override { return ReadIni(kIniSection, key, fileName_); }
    bool FileExists(const std::string& path) override { return ::FileExists(path); }

private:
    std::string fileName_;
};

}  // namespace

std::string ReadIni(const std::string& section, const std::string& key,
                    const std::string& fileName) {
    char buffer[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                             fileName.c_str());
    return buffer;
}

bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& fileName) {
    const std::string sectionName = LimitIniName(section);
    const std::string keyName = LimitIniName(key);
    // The write goes straight to the file, so its result tells whether the
    // file now holds the value.
    // https://learn.microsoft.com/en-us/windows/win32/api/winbase/nf-winbase-writeprivateprofilestringa
    return WritePrivateProfileStringA(sectionName.c_str(), keyName.c_str(), value.c_str(),
                                      fileName.c_str()) != FALSE;
}

bool FileExists(const std::string& path) {
    std::string name = path;
    if (EndsWithBackslash(name, IsAnsiLeadByte)) name.pop_back();

    // A path on a removable drive without a disk would otherwise bring up the
    // system's "insert a disk" box instead of failing.
    // https://learn.microsoft.com/en-us/windows/win32/api/errhandlingapi/nf-errhandlingapi-setthreaderrormode
    DWORD previousMode = 0;
    const bool quiet =
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode) != FALSE;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder can't be opened, which is
    // what keeps folders out. Sharing writers lets a file that another
    // program merely has open count; one it holds exclusively does not.
    // https://learn.microsoft.com/en-us/windows/win32/api/fileapi/nf-fileapi-createfilea#directories
    const HANDLE file =
        CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (quiet) SetThreadErrorMode(previousMode, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;

    // NUL, CON, COM1 and pipes open as well, but hold no music.
    const bool isFile = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return isFile;
}

std::string SettingsFilePath() {
    const std::string folder = AppFolder();
    return folder.empty() ? std::string() : SettingsFilePathIn(folder, IsAnsiLeadByte);
}

void LoadSettings() {
    const std::string path = SettingsFilePath();
    if (path.empty()) return;  // the defaults stay
    ProfileSettingsSource source(path);
    SettingsValues values{BGMKind, BGMRepeat, BGMFile};
    LoadSettingsFrom(source, values);
    BGMKind = values.kind;
    BGMRepeat = values.repeat;
    BGMFile = values.file;
}

bool SaveSettings() {
    const std::string file = SettingsFilePath();
    if (file.empty()) return false;
    // All three, even after a failure: each key stands on its own.
    const bool kindWritten = WriteIni(kIniSection, kIniKeyKind, FormatIniNumber(BGMKind), file);
    const bool repeatWritten =
        WriteIni(kIniSection, kIniKeyRepeat, FormatIniNumber(BGMRepeat), file);
    const bool fileWritten = WriteIni(kIniSection, kIniKeyFile, BGMFile, file);
    return kindWritten && repeatWritten && fileWritten;
}
