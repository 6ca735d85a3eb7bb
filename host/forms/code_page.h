#pragma once

// How to ask the system (WideCharToMultiByte) for an exact conversion of
// UTF-16 into a code page. Portable: the flag values are the system's own.
// https://learn.microsoft.com/en-us/windows/win32/api/stringapiset/nf-stringapiset-widechartomultibyte

namespace forms {

// The flags' values.
constexpr unsigned kNoBestFitChars = 0x400;   // WC_NO_BEST_FIT_CHARS
constexpr unsigned kErrInvalidChars = 0x080;  // WC_ERR_INVALID_CHARS

struct ExactConversion {
    // The flags to pass.
    unsigned flags = 0;
    // Whether a pointer may be passed for the system to say that a character
    // had no counterpart. Where it may not, only the text's way back tells.
    bool reportsDefaultUsed = false;
};

// For most code pages: no look-alike ("e" for "é"), and the default
// character reported. UTF-8 (65001, which Windows 10 and 11 offer as the ANSI
// code page) holds every character, takes no flag but kErrInvalidChars and no
// pointer; UTF-7 and the code pages that Microsoft lists with it take neither:
// passing them makes the conversion fail.
ExactConversion ExactConversionFor(unsigned codePage);

}  // namespace forms
