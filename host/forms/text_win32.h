#pragma once

#include <optional>
#include <string>

namespace forms {

// Sources are UTF-8; the W functions take UTF-16.
std::wstring WideFromUtf8(const std::string& text);
// And back, for texts that come from the system's windows.
std::string Utf8FromWide(const std::wstring& text);
// A text of the system's ANSI code page (the settings file's paths) as UTF-16.
std::wstring WideFromAnsi(const std::string& text);

// `text` in the system's ANSI code page, character for character; nothing
// when the code page can't hold one of its characters. Never a look-alike:
// Windows would otherwise put a similar character ("e" for "é") or "?" in
// its place, and a path so converted may name another, existing file.
std::optional<std::string> AnsiFromWide(const std::wstring& text);

}  // namespace forms
