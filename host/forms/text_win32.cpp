#include "host/forms/text_win32.h"

#include <windows.h>

#include "host/forms/code_page.h"

namespace forms {

namespace {

std::wstring WideFrom(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text); }

std::wstring WideFromAnsi(const std::string& text) { return WideFrom(CP_ACP, text); }

std::string Utf8FromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::optional<std::string> AnsiFromWide(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    // A character without an exact counterpart becomes the default character
    // and is reported, instead of a look-alike; but a code page such as UTF-8
    // refuses those flags (code_page.h).
    const ExactConversion how = ExactConversionFor(GetACP());
    BOOL usedDefault = FALSE;
    BOOL* const reportUsed = how.reportsDefaultUsed ? &usedDefault : nullptr;
    const int length =
        WideCharToMultiByte(CP_ACP, how.flags, text.data(), size, nullptr, 0, nullptr, reportUsed);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, how.flags, text.data(), size, ansi.data(), length, nullptr,
                        reportUsed);
    // What comes back must be the text again: that also refuses characters
    // that no code page holds as such (a lone surrogate).
    const int back =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
    std::wstring roundTrip(static_cast<size_t>(back > 0 ? back : 0), L'\0');
    if (back <= 0 || usedDefault ||
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, roundTrip.data(),
                            back) != back ||
        roundTrip != text) {
        return std::nullopt;
    }
    return ansi;
}

}  // namespace forms
