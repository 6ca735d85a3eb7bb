#include "host/settings/settings_conversion.h"

#include <algorithm>
#include <string>

#include "host/settings/settings.h"

namespace {

constexpr int64_t kInt16Min = -32768;
constexpr int64_t kInt16Max = 32767;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<int16_t> InInt16Range(int64_t value) {
    if (value < kInt16Min || value > kInt16Max) return std::nullopt;
    return static_cast<int16_t>(value);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// "&H1F" or "&O17" after the prefix: the digits alone.
std::optional<int16_t> ParseRadixDigits(std::string_view digits, int radix) {
    if (digits.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= radix) return std::nullopt;
        // Anything past the 16-bit range fails anyway; stop growing there so
        // that a long run of digits can't overflow.
        value = std::min<int64_t>(value * radix + digit, kInt16Max + 1);
    }
    return InInt16Range(value);
}

WholeNumberReading Number(int64_t value) {
    if (value < kInt16Min || value > kInt16Max) return {WholeNumberReading::kOutOfRange, 0};
    return {WholeNumberReading::kNumber, static_cast<int16_t>(value)};
}

// The text without its surrounding blanks.
WholeNumberReading ReadDecimal(std::string_view text, Rounding rounding) {
    constexpr WholeNumberReading kNotANumber{WholeNumberReading::kNotANumber, 0};
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The significant digits, and where the decimal point falls among them.
    std::string digits;
    int64_t pointPosition = 0;
    while (i < text.size() && IsDigit(text[i])) {
        digits += text[i++];
        ++pointPosition;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) digits += text[i++];
    }
    if (digits.empty()) return kNotANumber;

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == text.size() || !IsDigit(text[i])) return kNotANumber;
        // Far beyond any exponent that can still give a 16-bit number, and
        // far below where int64_t would overflow.
        constexpr int64_t kExponentCap = 100000;
        int64_t exponent = 0;
        while (i < text.size() && IsDigit(text[i])) {
            exponent = std::min<int64_t>(exponent * 10 + (text[i++] - '0'), kExponentCap);
        }
        pointPosition += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size()) return kNotANumber;

    size_t firstSignificant = 0;
    while (firstSignificant < digits.size() && digits[firstSignificant] == '0') {
        ++firstSignificant;
        --pointPosition;
    }
    if (firstSignificant == digits.size()) return Number(0);  // zero, whatever its sign
    digits.erase(0, firstSignificant);

    // Six or more whole digits that start with a non-zero one: 100000 or more.
    if (pointPosition > 5) return {WholeNumberReading::kOutOfRange, 0};

    int64_t whole = 0;
    for (int64_t k = 0; k < pointPosition; ++k) {
        const size_t index = static_cast<size_t>(k);
        whole = whole * 10 + (index < digits.size() ? digits[index] - '0' : 0);
    }
    // The fraction's digits. With the point before the first significant digit
    // (0.05) they all are, and the first digit after the point is a zero.
    const size_t fractionStart = static_cast<size_t>(std::max<int64_t>(pointPosition, 0));
    const std::string_view fraction =
        std::string_view(digits).substr(std::min(fractionStart, digits.size()));
    const bool hasFraction = fraction.find_first_not_of('0') != std::string_view::npos;
    const char firstAfterPoint = pointPosition < 0 || fraction.empty() ? '0' : fraction[0];

    bool awayFromZero = false;
    if (rounding == Rounding::kDown) {
        // Rounding down moves a negative number with a fraction one further
        // away from zero: -0.5 is -1.
        awayFromZero = negative && hasFraction;
    } else {
        // Halves to even is the same on both sides of zero, so the magnitude
        // decides: above a half up, below it down, exactly a half to even.
        const bool pastHalf =
            fraction.size() > 1 && fraction.find_first_not_of('0', 1) != std::string_view::npos;
        const bool aboveHalf = firstAfterPoint > '5' || (firstAfterPoint == '5' && pastHalf);
        const bool exactlyHalf = firstAfterPoint == '5' && !pastHalf;
        awayFromZero = aboveHalf || (exactlyHalf && whole % 2 == 1);
    }
    const int64_t magnitude = whole + (awayFromZero ? 1 : 0);
    return Number(negative ? -magnitude : magnitude);
}

std::optional<int16_t> ParseDecimal(std::string_view text) {
    const WholeNumberReading reading = ReadDecimal(text, Rounding::kDown);
    if (reading.status != WholeNumberReading::kNumber) return std::nullopt;
    return reading.value;
}

}  // namespace

std::optional<int16_t> ParseIniNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() >= 2 && text[0] == '&') {
        if (text[1] == 'H' || text[1] == 'h') return ParseRadixDigits(text.substr(2), 16);
        if (text[1] == 'O' || text[1] == 'o') return ParseRadixDigits(text.substr(2), 8);
        return std::nullopt;
    }
    return ParseDecimal(text);
}

WholeNumberReading ReadDecimalWholeNumber(std::string_view text, Rounding rounding) {
    return ReadDecimal(TrimBlanks(text), rounding);
}

std::string FormatIniNumber(int16_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string LimitIniName(std::string_view name) {
    return std::string(name.substr(0, kIniNameLimit));
}

bool EndsWithBackslash(std::string_view text, LeadByteTest isLeadByte) {
    // Only a walk from the start tells lead bytes from trail bytes.
    size_t i = 0;
    size_t lastCharacter = text.size();
    while (i < text.size()) {
        lastCharacter = i;
        const bool doubleByte =
            isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += doubleByte ? 2 : 1;
    }
    return lastCharacter == text.size() - 1 && text[lastCharacter] == '\\';
}

std::string SettingsFilePathIn(const std::string& appFolder, LeadByteTest isLeadByte) {
    // kIniFileName carries its own leading backslash.
    if (EndsWithBackslash(appFolder, isLeadByte)) return appFolder + (kIniFileName + 1);
    return appFolder + kIniFileName;
}

Settings LoadSettingsFrom(SettingsSource& source) {
    Settings settings;
    settings.kind = ParseIniNumber(source.ReadKey(kIniKeyKind)).value_or(0);
    settings.repeat = ParseIniNumber(source.ReadKey(kIniKeyRepeat)).value_or(0);
    settings.file = source.ReadKey(kIniKeyFile);
    // No music file, or one that can't be played: no file music either.
    if (settings.file.empty() || !source.FileExists(settings.file)) {
        settings.file.clear();
        if (settings.kind == 2) settings.kind = 0;
    }
    return settings;
}
