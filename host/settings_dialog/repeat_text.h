#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The repeat box (repeatBox) of the settings dialog: the text it shows for a
// track number, its list, and the track number read back from what the user
// typed. Portable; texts are UTF-8 (digits, signs and blanks are ASCII).
//
// The number written to the settings file is FormatIniNumber's text
// (host/settings/settings_conversion.h); SaveSettings writes it.

// A track number in the "##" pattern: decimal digits without leading zeros,
// so 0 is the empty text, 7 is "7" and -3 is "-3".
std::string RepeatText(int16_t track);

// The box's drop-down list: the texts for 0 to 30, in that order; the first
// is the empty text.
constexpr int kRepeatListLength = 31;
std::array<std::string, kRepeatListLength> RepeatList();

// The track number that "設定" stores for the box's text. A decimal number
// (blanks around it, a sign, a fraction and an exponent allowed) is rounded
// to the nearest whole number, halves to even: "12" is 12, "2.5" is 2, "3.5"
// is 4, "-3" is -3. What a Japanese input method types is read as the ASCII
// it stands for: full-width digits, signs and full stop ("１２" is 12,
// "－３" is -3) and the ideographic blank. Text that is no number ("",
// "abc", "1,5") stores 0.
// A number outside -32768..32767 once rounded gives nothing: the dialog
// refuses the text (kRepeatOutOfRangeMessage), stays open and writes nothing.
std::optional<int16_t> RepeatFromText(std::string_view text);
