#pragma once

// Text for the wide Windows functions, in the tests.
#include <windows.h>

#include <string>

inline std::wstring WideFrom(UINT codePage, const std::string& text) {
    const int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(length - 1);
    return wide;
}

// Paths and command lines in the ANSI code page; the program's texts in UTF-8.
inline std::wstring WideFromAnsi(const std::string& text) { return WideFrom(CP_ACP, text); }
inline std::wstring WideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text); }

inline std::string NarrowFrom(UINT codePage, const std::wstring& text) {
    const int length =
        WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string narrow(length, '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(length - 1);
    return narrow;
}

inline std::string AnsiFromWide(const std::wstring& text) { return NarrowFrom(CP_ACP, text); }
inline std::string Utf8FromWide(const std::wstring& text) { return NarrowFrom(CP_UTF8, text); }
