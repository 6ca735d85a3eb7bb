// The settings file over the system's ANSI profile functions, or over its
// bytes where the code page can't carry the key names. The rules of loading
// live in settings_conversion.cpp and those of the text in ini_text.cpp; this
// file only makes the calls.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "host/forms/application.h"
#include "host/forms/text_win32.h"
#include "host/settings/ini_file.h"
#include "host/settings/ini_text.h"
#include "host/settings/settings.h"
#include "host/settings/settings_conversion.h"

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

// The profile functions pass names through UTF-16 and, when they write, back
// into the ANSI code page. Where that changes a name's bytes (the key names'
// code page 932 bytes under UTF-8, say), the file is read and edited byte
// for byte instead, so it holds the same bytes on every system.
bool ProfileFunctionsCarry(const std::string& section, const std::string& key) {
    for (const std::string* name : {&section, &key}) {
        const std::optional<std::string> back = forms::AnsiFromWide(forms::WideFromAnsi(*name));
        if (!back || *back != *name) return false;
    }
    return true;
}

// A file the profile functions read as UTF-16: left to them.
bool IsUtf16Text(const std::string& bytes) {
    return bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                 (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

std::optional<std::string> ReadAll(HANDLE file) {
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) {
        bytes.append(buffer, read);
    }
    if (!ok) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> bytes = ReadAll(file);
    CloseHandle(file);
    return bytes;
}

// Writes `bytes` over what an open file holds, keeping the file itself.
bool Overwrite(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
           WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && SetEndOfFile(file) && FlushFileBuffers(file);
}

enum class ByteWrite { kDone, kFailed, kUtf16File };

// One key written into the file's bytes. The file stays open, unshared, from
// the read to the write, as the profile functions hold it.
ByteWrite WriteIniBytes(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& fileName) {
    const HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ByteWrite::kFailed;
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    const std::optional<std::string> before = ReadAll(file);
    if (before && IsUtf16Text(*before)) {
        CloseHandle(file);
        return ByteWrite::kUtf16File;
    }
    const bool written = before && Overwrite(file, IniTextWith(*before, section, key, value));
    CloseHandle(file);
    if (!written && created) DeleteFileA(fileName.c_str());
    return written ? ByteWrite::kDone : ByteWrite::kFailed;
}

}  // namespace

std::string ReadIni(const std::string& section, const std::string& key,
                    const std::string& fileName) {
    if (!ProfileFunctionsCarry(section, key)) {
        const std::optional<std::string> text = ReadWholeFile(fileName);
        if (!text) return "";
        if (!IsUtf16Text(*text)) {
            return IniTextValue(*text, section, key).value_or("").substr(0, 255);
        }
    }
    char buffer[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                             fileName.c_str());
    return buffer;
}

bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& fileName) {
    const std::string sectionName = LimitIniName(section);
    const std::string keyName = LimitIniName(key);
    if (!ProfileFunctionsCarry(sectionName, keyName)) {
        const ByteWrite result = WriteIniBytes(sectionName, keyName, value, fileName);
        if (result != ByteWrite::kUtf16File) return result == ByteWrite::kDone;
    }
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

Settings LoadSettings() {
    const std::string path = SettingsFilePath();
    if (path.empty()) return {};  // the defaults
    ProfileSettingsSource source(path);
    return LoadSettingsFrom(source);
}

namespace {

// The three keys, in their order; false at the first that could not be
// written.
bool WriteSettings(const Settings& settings, const std::string& file) {
    return WriteIni(kIniSection, kIniKeyKind, FormatIniNumber(settings.kind), file) &&
           WriteIni(kIniSection, kIniKeyRepeat, FormatIniNumber(settings.repeat), file) &&
           WriteIni(kIniSection, kIniKeyFile, settings.file, file);
}

// Puts `bytes` back into the existing file, in place.
void RestoreFile(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

}  // namespace

bool SaveSettings(const Settings& settings) {
    const std::string file = SettingsFilePath();
    if (file.empty()) return false;
    const std::string draft = file + kIniDraftSuffix;
    DeleteFileA(draft.c_str());  // one left by a run that was killed

    const DWORD attributes = GetFileAttributesA(file.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only settings file is one the user keeps as it is (replacing it
    // would otherwise succeed wherever the folder may be written).
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }

    // The three keys go into a copy beside the file, which then takes the
    // file's place in one step: a write that fails part of the way (a full
    // disk) leaves the file as it was, not with some keys new and some old.
    if (!exists || CopyFileA(file.c_str(), draft.c_str(), FALSE)) {
        if (!WriteSettings(settings, draft)) {
            DeleteFileA(draft.c_str());
            return false;
        }
        // ReplaceFile keeps the file's own security, attributes and times,
        // which a file moved into its place would not have.
        // https://learn.microsoft.com/en-us/windows/win32/api/winbase/nf-winbase-replacefilea
        const bool replaced =
            exists ? ReplaceFileA(file.c_str(), draft.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE
                   : MoveFileExA(draft.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
        if (!replaced) DeleteFileA(draft.c_str());
        return replaced;
    }

    // No copy can be made beside the file (a folder where the user may write
    // the file but not make one): the keys go into the file itself, in their
    // order. Should one fail, the file gets back what it held.
    const std::optional<std::string> before = ReadWholeFile(file);
    if (!before) return false;
    if (WriteSettings(settings, file)) return true;
    RestoreFile(file, *before);
    return false;
}
