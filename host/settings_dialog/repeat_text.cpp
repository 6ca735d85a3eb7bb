#include "host/settings_dialog/repeat_text.h"

#include "host/settings/settings_conversion.h"

std::string RepeatText(int16_t track) { return track == 0 ? std::string() : std::to_string(track); }

std::array<std::string, kRepeatListLength> RepeatList() {
    std::array<std::string, kRepeatListLength> list;
    for (int i = 0; i < kRepeatListLength; ++i) list[i] = RepeatText(static_cast<int16_t>(i));
    return list;
}

namespace {

// The text with the full-width forms of digits, "+", "-" and "." (U+FF10 to
// U+FF19, U+FF0B, U+FF0D, U+FF0E) and the ideographic blank (U+3000) as
// their ASCII characters; everything else as it is.
std::string AsciiNumberText(std::string_view text) {
    std::string ascii;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xEF && byte(i + 1) == 0xBC &&
            (byte(i + 2) == 0x8B || byte(i + 2) == 0x8D || byte(i + 2) == 0x8E ||
             (byte(i + 2) >= 0x90 && byte(i + 2) <= 0x99))) {
            // U+FF0B..U+FF19 lie at EF BC 8B..99; their ASCII forms 0xFEE0 lower.
            ascii += static_cast<char>(byte(i + 2) - 0x8B + '+');
            i += 2;
        } else if (i + 2 < text.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 &&
                   byte(i + 2) == 0x80) {
            ascii += ' ';
            i += 2;
        } else {
            ascii += text[i];
        }
    }
    return ascii;
}

}  // namespace

std::optional<int16_t> RepeatFromText(std::string_view text) {
    const WholeNumberReading reading =
        ReadDecimalWholeNumber(AsciiNumberText(text), Rounding::kHalfToEven);
    switch (reading.status) {
        case WholeNumberReading::kNumber:
            return reading.value;
        case WholeNumberReading::kNotANumber:
            return 0;
        case WholeNumberReading::kOutOfRange:
            break;
    }
    return std::nullopt;
}
