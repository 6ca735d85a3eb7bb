#include "tests/fuzz/decimal_number_check.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/forms/decimal_number.h"

namespace {

using forms::DecimalBlanks;
using forms::DecimalExponent;
using forms::DecimalExtent;
using forms::DecimalNumber;
using forms::DecimalSyntax;
using forms::Rounding;

// ---------------------------------------------------------------------------
// The reference: a table of states recognizes the number (the longest run of
// characters that ends in an accepting state), a second walk through the
// table sorts its characters, and the value is worked out on digit strings
// and 128-bit integers; the nearest double is the C library's strtod.

enum State {
    kStart,
    kSign,
    kWhole,      // digits before any point
    kLonePoint,  // a point with no digit before it
    kPoint,      // a point after digits
    kFraction,
    kMarker,
    kExponentSign,
    kExponent,
    kDead,
    kStateCount
};
enum Kind { kDigit, kSignCharacter, kPointCharacter, kMarkerCharacter, kOther, kKindCount };

// clang-format off
constexpr State kNext[kStateCount][kKindCount] = {
    //                digit      sign           point       marker   other
    /* kStart */     {kWhole,    kSign,         kLonePoint, kDead,   kDead},
    /* kSign */      {kWhole,    kDead,         kLonePoint, kDead,   kDead},
    /* kWhole */     {kWhole,    kDead,         kPoint,     kMarker, kDead},
    /* kLonePoint */ {kFraction, kDead,         kDead,      kDead,   kDead},
    /* kPoint */     {kFraction, kDead,         kDead,      kMarker, kDead},
    /* kFraction */  {kFraction, kDead,         kDead,      kMarker, kDead},
    /* kMarker */    {kExponent, kExponentSign, kDead,      kDead,   kDead},
    /* kExpSign */   {kExponent, kDead,         kDead,      kDead,   kDead},
    /* kExponent */  {kExponent, kDead,         kDead,      kDead,   kDead},
    /* kDead */      {kDead,     kDead,         kDead,      kDead,   kDead},
};
constexpr bool kAccepting[kStateCount] = {
    false, false, true /* kWhole */, false, true /* kPoint */, true /* kFraction */,
    false, false, true /* kExponent */, false};
// clang-format on

Kind KindOf(uint32_t c, DecimalExponent exponent) {
    if (c >= '0' && c <= '9') return kDigit;
    if (c == '+' || c == '-') return kSignCharacter;
    if (c == '.') return kPointCharacter;
    const bool e = c == 'e' || c == 'E';
    const bool d = c == 'd' || c == 'D';
    if ((exponent == DecimalExponent::kE && e) || (exponent == DecimalExponent::kEOrD && (e || d)))
        return kMarkerCharacter;
    return kOther;
}

bool IsBlankFor(uint32_t c, DecimalBlanks blanks) {
    return c == ' ' || c == '\t' || (blanks == DecimalBlanks::kAnywhere && c == '\n');
}

struct ReferenceNumber {
    size_t length = 0;
    bool negative = false;
    std::string whole;     // the digits before the point, as written
    std::string fraction;  // the digits after it
    bool exponentNegative = false;
    std::string exponent;  // the exponent's digits, as written
};

std::optional<ReferenceNumber> ReadByReference(const std::vector<uint32_t>& text,
                                               DecimalSyntax syntax) {
    const auto blank = [&](uint32_t c) { return IsBlankFor(c, syntax.blanks); };
    const bool wholeText = syntax.extent == DecimalExtent::kWholeText;
    size_t begin = 0;
    size_t stop = text.size();
    while (begin < stop && blank(text[begin])) ++begin;
    if (wholeText) {
        while (stop > begin && blank(text[stop - 1])) --stop;
    }
    // Where the characters the table sees stand in the text.
    std::vector<size_t> at;
    for (size_t i = begin; i < stop; ++i) {
        if (!(syntax.blanks == DecimalBlanks::kAnywhere && blank(text[i]))) at.push_back(i);
    }

    State state = kStart;
    size_t accepted = 0;
    for (size_t k = 0; k < at.size(); ++k) {
        state = kNext[state][KindOf(text[at[k]], syntax.exponent)];
        if (state == kDead) break;
        if (kAccepting[state]) accepted = k + 1;
    }
    if (accepted == 0 || (wholeText && accepted != at.size())) return std::nullopt;

    ReferenceNumber number;
    number.length = at[accepted - 1] + 1;
    state = kStart;
    for (size_t k = 0; k < accepted; ++k) {
        const uint32_t c = text[at[k]];
        state = kNext[state][KindOf(c, syntax.exponent)];
        const char ascii = static_cast<char>(c);
        if (state == kSign) number.negative = c == '-';
        if (state == kWhole) number.whole += ascii;
        if (state == kFraction) number.fraction += ascii;
        if (state == kExponentSign) number.exponentNegative = c == '-';
        if (state == kExponent) number.exponent += ascii;
    }
    return number;
}

std::string WithoutLeadingZeros(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "" : digits.substr(first);
}

bool IsZero(const ReferenceNumber& n) { return WithoutLeadingZeros(n.whole + n.fraction).empty(); }

// Exponents of more than this many digits are beyond what the bytes a fuzzer
// gives (far fewer than 10^15 digits) can bring back to a whole number or a
// double, and beyond DecimalNumber::pointPosition's reach.
constexpr size_t kLongExponent = 15;

// The exponent's value, when it has at most kLongExponent digits.
std::optional<int64_t> ShortExponent(const ReferenceNumber& n) {
    const std::string digits = WithoutLeadingZeros(n.exponent);
    if (digits.size() > kLongExponent) return std::nullopt;
    const int64_t value = digits.empty() ? 0 : std::stoll(digits);
    return n.exponentNegative ? -value : value;
}

enum class Fraction { kNone, kBelowHalf, kHalf, kAboveHalf };

// The magnitude cut at the point: its whole part (nothing from 10^30 on) and
// how its fraction compares with a half.
struct Magnitude {
    std::optional<unsigned __int128> whole;
    Fraction fraction = Fraction::kNone;
};

Fraction FractionOf(const std::string& digits) {
    if (WithoutLeadingZeros(digits).empty()) return Fraction::kNone;
    if (digits[0] != '5') return digits[0] < '5' ? Fraction::kBelowHalf : Fraction::kAboveHalf;
    return WithoutLeadingZeros(digits.substr(1)).empty() ? Fraction::kHalf : Fraction::kAboveHalf;
}

std::optional<unsigned __int128> WholeOf(const std::string& digits) {
    const std::string significant = WithoutLeadingZeros(digits);
    if (significant.size() >= 30) return std::nullopt;
    unsigned __int128 value = 0;
    for (char c : significant) value = value * 10 + static_cast<unsigned>(c - '0');
    return value;
}

Magnitude MagnitudeOf(const ReferenceNumber& n) {
    if (IsZero(n)) return {0, Fraction::kNone};
    const std::optional<int64_t> exponent = ShortExponent(n);
    if (!exponent) {
        if (!n.exponentNegative) return {std::nullopt, Fraction::kNone};
        return {0, Fraction::kBelowHalf};  // 0.000...: the point moved far to the left
    }
    // The point stands after `point` of the digits.
    const std::string digits = n.whole + n.fraction;
    const int64_t point = static_cast<int64_t>(n.whole.size()) + *exponent;
    const int64_t count = static_cast<int64_t>(digits.size());
    if (point <= 0) {
        // Only zeros before the point; the first digit after it is a zero too
        // unless the point stands right before the digits.
        if (point < 0) return {0, Fraction::kBelowHalf};
        return {0, FractionOf(digits)};
    }
    if (point >= count) {
        if (point - count > 40) return {std::nullopt, Fraction::kNone};
        return {WholeOf(digits + std::string(static_cast<size_t>(point - count), '0')),
                Fraction::kNone};
    }
    const size_t cut = static_cast<size_t>(point);
    return {WholeOf(digits.substr(0, cut)), FractionOf(digits.substr(cut))};
}

std::optional<int64_t> WholeByReference(const ReferenceNumber& n, Rounding rounding, int64_t min,
                                        int64_t max) {
    const Magnitude magnitude = MagnitudeOf(n);
    if (!magnitude.whole) return std::nullopt;
    // Toward zero first, then one step away from it where the rounding says.
    __int128 value = static_cast<__int128>(*magnitude.whole);
    const int step = n.negative ? -1 : 1;
    if (n.negative) value = -value;
    if (magnitude.fraction != Fraction::kNone) {
        if (rounding == Rounding::kDown) {
            if (n.negative) value -= 1;
        } else if (magnitude.fraction == Fraction::kAboveHalf ||
                   (magnitude.fraction == Fraction::kHalf && *magnitude.whole % 2 == 1)) {
            value += step;
        }
    }
    if (value < min || value > max) return std::nullopt;
    return static_cast<int64_t>(value);
}

std::string NormalizedText(const ReferenceNumber& n) {
    return std::string(n.negative ? "-" : "") + (n.whole.empty() ? "0" : n.whole) + "." +
           n.fraction + "e" + (n.exponentNegative ? "-" : "+") +
           (n.exponent.empty() ? "0" : n.exponent);
}

std::optional<double> DoubleByReference(const ReferenceNumber& n) {
    const double value = std::strtod(NormalizedText(n).c_str(), nullptr);
    if (std::isinf(value) || (value == 0 && !IsZero(n))) return std::nullopt;
    return value;
}

// ---------------------------------------------------------------------------
// The comparison.

struct Range {
    int64_t min, max;
};
constexpr Range kRanges[] = {
    {std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()},
    {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()},
    {std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()},
    {0, 255},
};

std::string Describe(std::optional<int64_t> value) {
    return value ? std::to_string(*value) : "nothing";
}

std::string Describe(std::optional<double> value) {
    if (!value) return "nothing";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", *value);
    return text;
}

bool SameDouble(std::optional<double> a, std::optional<double> b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || std::memcmp(&*a, &*b, sizeof(double)) == 0;  // -0.0 is not 0.0
}

std::string Compare(const std::optional<DecimalNumber>& read,
                    const std::optional<ReferenceNumber>& expected) {
    if (read.has_value() != expected.has_value()) {
        return read ? "read a number where there is none" : "read no number where there is one";
    }
    if (!read) return "";
    if (read->length != expected->length) {
        return "length " + std::to_string(read->length) + ", expected " +
               std::to_string(expected->length);
    }
    if (read->negative != expected->negative) return "sign";

    const std::string all = WithoutLeadingZeros(expected->whole + expected->fraction);
    const std::string digits = all.substr(0, all.find_last_not_of('0') + 1);
    if (read->digits != digits) return "digits \"" + read->digits + "\", expected " + digits;
    const std::optional<int64_t> exponent = ShortExponent(*expected);
    if (exponent) {
        const int64_t leadingZeros =
            static_cast<int64_t>(expected->whole.size() + expected->fraction.size() - all.size());
        const int64_t point =
            all.empty() ? 0
                        : static_cast<int64_t>(expected->whole.size()) - leadingZeros + *exponent;
        if (read->pointPosition != point) {
            return "point position " + std::to_string(read->pointPosition) + ", expected " +
                   std::to_string(point);
        }
    }

    for (const Range& range : kRanges) {
        for (Rounding rounding : {Rounding::kDown, Rounding::kHalfToEven}) {
            const std::optional<int64_t> whole =
                forms::ToWholeNumber(*read, rounding, range.min, range.max);
            const std::optional<int64_t> reference =
                WholeByReference(*expected, rounding, range.min, range.max);
            if (whole != reference) {
                return std::string(rounding == Rounding::kDown ? "down" : "half to even") + " in " +
                       std::to_string(range.min) + ".." + std::to_string(range.max) + ": " +
                       Describe(whole) + ", expected " + Describe(reference);
            }
        }
    }

    const std::optional<double> value = forms::ToDouble(*read);
    const std::optional<double> reference = DoubleByReference(*expected);
    if (!SameDouble(value, reference)) {
        return "double " + Describe(value) + ", expected " + Describe(reference) + " (" +
               NormalizedText(*expected) + ")";
    }
    return "";
}

std::string SyntaxName(DecimalSyntax syntax) {
    const char* exponents[] = {"no exponent", "e", "e or d"};
    return std::string(exponents[static_cast<int>(syntax.exponent)]) +
           (syntax.blanks == DecimalBlanks::kAround ? ", blanks around" : ", blanks anywhere") +
           (syntax.extent == DecimalExtent::kWholeText ? ", whole text" : ", prefix");
}

}  // namespace

std::string CheckDecimalReading(const uint8_t* data, size_t size) {
    const std::string_view narrow(reinterpret_cast<const char*>(data), size);
    std::u16string wide;
    std::vector<uint32_t> narrowUnits, wideUnits;
    for (size_t i = 0; i < size; ++i) {
        const char16_t unit =
            data[i] < 0x80 ? data[i] : static_cast<char16_t>(0x100 | (data[i] & 0x7F));
        wide += unit;
        narrowUnits.push_back(data[i]);
        wideUnits.push_back(unit);
    }

    for (DecimalExponent exponent :
         {DecimalExponent::kNone, DecimalExponent::kE, DecimalExponent::kEOrD}) {
        for (DecimalBlanks blanks : {DecimalBlanks::kAround, DecimalBlanks::kAnywhere}) {
            for (DecimalExtent extent : {DecimalExtent::kWholeText, DecimalExtent::kPrefix}) {
                const DecimalSyntax syntax = {exponent, blanks, extent};
                std::string difference = Compare(forms::ScanDecimal(narrow, syntax),
                                                 ReadByReference(narrowUnits, syntax));
                if (!difference.empty()) return "8-bit, " + SyntaxName(syntax) + ": " + difference;
                difference =
                    Compare(forms::ScanDecimal(wide, syntax), ReadByReference(wideUnits, syntax));
                if (!difference.empty()) return "UTF-16, " + SyntaxName(syntax) + ": " + difference;
            }
        }
    }

    size_t begin = 0, end = size;
    while (begin < end && IsBlankFor(data[begin], DecimalBlanks::kAround)) ++begin;
    while (end > begin && IsBlankFor(data[end - 1], DecimalBlanks::kAround)) --end;
    if (forms::TrimBlanks(narrow) != narrow.substr(begin, end - begin)) return "TrimBlanks";
    return "";
}
