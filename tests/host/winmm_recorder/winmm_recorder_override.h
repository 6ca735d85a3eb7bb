#pragma once

// Makes Wine load the recording stand-in for winmm (winmm.dll beside the
// program) in programs named `programName`, for as long as the object lives.
//
// Without an override Wine uses its builtin winmm even when a winmm.dll lies
// beside the program. WINEDLLOVERRIDES is read from the Unix environment that
// wine started with, so a Windows test program cannot pass it on to the
// programs it starts; Wine's per-program registry overrides
// (HKCU\Software\Wine\AppDefaults\<program>\DllOverrides) it can.
#include <windows.h>

#include <string>

class WinmmRecorderOverride {
public:
    explicit WinmmRecorderOverride(const std::string& programName)
        : key_("Software\\Wine\\AppDefaults\\" + programName) {
        HKEY overrides = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &overrides, nullptr) != ERROR_SUCCESS) {
            return;
        }
        static const char kNativeFirst[] = "native,builtin";
        ok_ = RegSetValueExA(overrides, "winmm", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(kNativeFirst),
                             sizeof kNativeFirst) == ERROR_SUCCESS;
        RegCloseKey(overrides);
    }
    ~WinmmRecorderOverride() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    WinmmRecorderOverride(const WinmmRecorderOverride&) = delete;
    WinmmRecorderOverride& operator=(const WinmmRecorderOverride&) = delete;

    bool ok() const { return ok_; }

private:
    std::string key_;
    bool ok_ = false;
};
