#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one reader of decimal number texts in the host: property bag texts,
// settings file values, the command line's preview handle, the CD's track
// replies. Portable.
//
// A number is an optional sign, decimal digits with an optional fraction
// after a '.' (at least one digit in all: "5", ".5", "5." but not "."), and,
// where the syntax allows one, an exponent: a marker, an optional sign and at
// least one digit. Only ASCII digits are digits. The text is read exactly,
// with no binary floating point, and converted afterwards.

namespace forms {

// Which exponent a number may carry.
enum class DecimalExponent {
    kNone,  // none: "1e3" is 1 followed by something else
    kE,     // e or E: "1e3", "25E-1"
    kEOrD,  // also d or D: "1D2"
};

// Where blanks may stand.
enum class DecimalBlanks {
    kAround,    // spaces and tabs before and after the number: "- 1" and "1 2" are no numbers
    kAnywhere,  // spaces, tabs and line feeds also between any two of its characters:
                // "- 1" is -1, "1 2" is 12
};

// How much of the text the number takes.
enum class DecimalExtent {
    kWholeText,  // all of it but blanks after the number: "1x" is no number
    kPrefix,     // its start, as far as a number can go: "1x" is 1; a marker with no exponent
                 // digits after it ends the number before it ("12e+" is 12)
};

struct DecimalSyntax {
    DecimalExponent exponent = DecimalExponent::kE;
    DecimalBlanks blanks = DecimalBlanks::kAround;
    DecimalExtent extent = DecimalExtent::kWholeText;
};

// A number as read: (negative ? -1 : 1) x 0.digits x 10^pointPosition.
struct DecimalNumber {
    bool negative = false;  // a minus sign was read, also before a zero
    // The significant digits, with no leading or trailing zeros; empty for zero.
    std::string digits;
    // The decimal point stands after this many of the digits: 0.05 is "5" at
    // -1, 1200 is "12" at 4. 0 for zero. An exponent beyond +-10^18 is held
    // there, much further out than any conversion below can tell apart.
    int64_t pointPosition = 0;
    // The characters read: from the start of the text to just past the
    // number's last character (blanks after it are not counted).
    size_t length = 0;
};

// The number `text` holds by `syntax`; nothing when it holds none.
std::optional<DecimalNumber> ScanDecimal(std::string_view text, DecimalSyntax syntax = {});
std::optional<DecimalNumber> ScanDecimal(std::u16string_view text, DecimalSyntax syntax = {});

// The double nearest to the number (ties to even); -0.0 for "-0". Nothing
// when it rounds to an infinity, or to zero without being zero.
std::optional<double> ToDouble(const DecimalNumber& number);

// How a number becomes a whole number.
enum class Rounding {
    kDown,        // floor: 1.7 is 1, -0.5 is -1
    kHalfToEven,  // nearest, halves to the even neighbour: 2.5 is 2, 3.5 is 4, -2.5 is -2
};

// The number rounded to a whole one, exactly on its decimal digits
// (32767.99999999999999999 rounds down to 32767); nothing when that lies
// outside min..max, which must hold 0.
std::optional<int64_t> ToWholeNumber(const DecimalNumber& number, Rounding rounding, int64_t min,
                                     int64_t max);

// The text without the spaces and tabs around it: the blanks a number may
// have around it, for texts that are read by other rules too ("&H10", "True").
std::string_view TrimBlanks(std::string_view text);

}  // namespace forms
