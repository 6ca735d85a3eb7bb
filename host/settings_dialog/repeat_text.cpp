#include "host/settings_dialog/repeat_text.h"

#include "host/settings/settings_conversion.h"

std::string RepeatText(int16_t track) { return track == 0 ? std::string() : std::to_string(track); }

std::array<std::string, kRepeatListLength> RepeatList() {
    std::array<std::string, kRepeatListLength> list;
    for (int i = 0; i < kRepeatListLength; ++i) list[i] = RepeatText(static_cast<int16_t>(i));
    return list;
}

std::optional<int16_t> RepeatFromText(std::string_view text) {
    const WholeNumberReading reading = ReadDecimalWholeNumber(text, Rounding::kHalfToEven);
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
