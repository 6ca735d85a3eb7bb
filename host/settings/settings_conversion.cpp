#include "host/settings/settings_conversion.h"

#include <algorithm>
#include <string>

#include "host/settings/settings.h"

namespace {

constexpr int64_t kInt16Min = -32768;
constexpr int64_t kInt16Max = 32767;

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

}  // namespace

std::optional<int16_t> ParseIniNumber(std::string_view text) {
    text = forms::TrimBlanks(text);
    if (text.size() >= 2 && text[0] == '&') {
        if (text[1] == 'H' || text[1] == 'h') return ParseRadixDigits(text.substr(2), 16);
        if (text[1] == 'O' || text[1] == 'o') return ParseRadixDigits(text.substr(2), 8);
        return std::nullopt;
    }
    const WholeNumberReading reading = ReadDecimalWholeNumber(text, Rounding::kDown);
    if (reading.status != WholeNumberReading::kNumber) return std::nullopt;
    return reading.value;
}

WholeNumberReading ReadDecimalWholeNumber(std::string_view text, Rounding rounding) {
    const std::optional<forms::DecimalNumber> number = forms::ScanDecimal(text);
    if (!number) return {WholeNumberReading::kNotANumber, 0};
    const std::optional<int64_t> whole =
        forms::ToWholeNumber(*number, rounding, kInt16Min, kInt16Max);
    if (!whole) return {WholeNumberReading::kOutOfRange, 0};
    return {WholeNumberReading::kNumber, static_cast<int16_t>(*whole)};
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
