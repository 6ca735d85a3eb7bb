#pragma once

// The rules of the settings file that need no Windows: how a value read from
// Glintra.ini becomes a 16-bit setting, how a number is written, how paths are
// joined and trimmed in the ANSI code page, and the order and fallbacks of
// loading. settings_file_win32.cpp puts the profile functions behind them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/forms/decimal_number.h"
#include "host/settings/settings.h"

// Converts a value read from the settings file into a 16-bit setting: the
// number is rounded down (floor) to a whole number, which must lie within
// -32768..32767. Returns nothing when the text is no number or the whole
// number is out of range; the caller then keeps the setting it had.
//
// What counts as a number is the locale-free core of what Windows' own
// string-to-number conversion accepts, so a file means the same on every
// system:
//   - blanks (space, tab) around the number are ignored;
//   - an optional sign, + or -, directly before the digits;
//   - decimal digits with an optional fraction after a '.' (".5" and "5."
//     too) and an optional exponent (1e3, 1E+2, 25e-1);
//   - &H followed by hexadecimal or &O followed by octal digits, read as a
//     non-negative number (&H10 is 16; &HFFFF is 65535 and thus too large).
// Not accepted: a decimal comma or digit grouping ("1,5", "1,000"), currency
// signs, negatives in parentheses or with a trailing minus, full-width
// digits, "0x10", inf and nan: Windows reads these by the user's regional
// settings, so the same file would load differently on different machines.
// Any other character ("1x", "1 2", "- 1") makes the text no number.
// The rounding is exact on the decimal digits, with no binary floating-point
// step in between, so 32767.99999999999999999 is 32767 and 1e-400 is 0.
std::optional<int16_t> ParseIniNumber(std::string_view text);

// How a decimal number text becomes a whole number: kDown (floor, the
// settings file's reading) or kHalfToEven.
using Rounding = forms::Rounding;

// What reading a decimal number text as a 16-bit whole number gave.
struct WholeNumberReading {
    enum Status {
        kNumber,      // `value` holds the rounded number
        kNotANumber,  // the text is no decimal number (empty and blank text too)
        kOutOfRange,  // a number, but outside -32768..32767 once rounded
    };
    Status status = kNotANumber;
    int16_t value = 0;  // 0 unless kNumber
};

// Reads a decimal number by the rules of ParseIniNumber above (blanks around
// it, a sign, a fraction, an exponent; no &H or &O) and rounds it exactly, on
// its decimal digits, as `rounding` says.
WholeNumberReading ReadDecimalWholeNumber(std::string_view text, Rounding rounding);

// The text a number is written as: one blank before a number that is not
// negative, a minus sign before a negative one (" 2", "-3", " 0").
std::string FormatIniNumber(int16_t value);

// The longest section or key name that is written: the names travel in
// 128-character buffers that hold the name and its terminating NUL.
constexpr std::size_t kIniNameLimit = 127;
std::string LimitIniName(std::string_view name);

// Says whether a byte starts a double-byte character in the ANSI code page
// that a path is written in. On Windows that is IsDBCSLeadByte; the native
// tests pass code page 932's rule.
using LeadByteTest = bool (*)(unsigned char);

// Whether the last character of an ANSI string is a backslash. In code page
// 932 the byte 5C is also the second byte of characters such as "ソ" (83 5C),
// which is no backslash.
bool EndsWithBackslash(std::string_view text, LeadByteTest isLeadByte);

// The settings file in an application folder: the folder followed by
// "\Glintra.ini", without doubling the backslash of a drive root ("C:\").
std::string SettingsFilePathIn(const std::string& appFolder, LeadByteTest isLeadByte);

// What LoadSettings reads through: one key of the settings file's section
// ("" when the file, section or key is missing), and whether a music file can
// be opened for reading.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    virtual std::string ReadKey(const char* key) = 0;
    virtual bool FileExists(const std::string& path) = 0;
};

// Loads the three settings, in the order and with the fallbacks that
// start-up relies on: an empty or missing number, and one that does not
// convert, is 0; a music file that is missing, empty or can't be opened is
// cleared and turns kind 2 into 0.
Settings LoadSettingsFrom(SettingsSource& source);
