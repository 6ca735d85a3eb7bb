#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "host/forms/font.h"

// The properties that a user control keeps with the form that holds it, and
// the rules it reads and writes them by. Portable.
//
// A value is a Boolean, a whole number, a real number, a text or a font.
// Reading a key gives its stored value, or the default the reader names when
// the key is absent; writing a key leaves it out when the value equals the
// default the writer names. A number and a text that reads as a number
// compare as numbers ("1" equals 1 and True equals -1), so the text defaults
// that controls write with cover the numbers they write.

namespace forms {

class PropertyValue {
public:
    using Variant = std::variant<bool, int64_t, double, std::string, FontDescription>;

    PropertyValue(bool value) : value_(value) {}
    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    PropertyValue(T value) : value_(static_cast<int64_t>(value)) {}
    PropertyValue(double value) : value_(value) {}
    PropertyValue(const char* text) : value_(std::string(text)) {}
    PropertyValue(std::string text) : value_(std::move(text)) {}
    PropertyValue(FontDescription font) : value_(std::move(font)) {}

    const Variant& value() const { return value_; }

private:
    Variant value_;
};

// The number that a text reads as: blanks (space, tab) around it, a sign,
// decimal digits with a fraction and an exponent ("-3", " 2.5 ", "1e3"), as
// ScanDecimal reads it by default, given as the nearest double; nothing for a
// number past the range of doubles ("1e999", "1e-999").
std::optional<double> ParseNumericText(std::string_view text);

// Whether two values are the same by the rules above. Texts compare as
// texts, fonts by every part of their description, and a number never
// equals a text that is no number.
bool SameValue(const PropertyValue& a, const PropertyValue& b);

// Conversions of a value read back. Nothing when the value can't be
// converted, or when the whole number, rounded to the nearest (halves to
// even), does not fit the type; the reader then keeps what it had.
std::optional<bool> ToBoolean(const PropertyValue& value);  // texts: True, False, numbers
std::optional<uint8_t> ToByte(const PropertyValue& value);
std::optional<int16_t> ToInteger(const PropertyValue& value);
std::optional<int32_t> ToLong(const PropertyValue& value);
std::optional<std::string> ToText(const PropertyValue& value);  // a font gives its name
// The face name that assigning the value to a font by value sets: a font's
// name, or a text itself.
std::optional<std::string> ToFontName(const PropertyValue& value);

class PropertyBag {
public:
    // The stored value of `key`, or `defaultValue` when there is none.
    PropertyValue ReadProperty(const std::string& key, const PropertyValue& defaultValue) const;
    // Stores `value` under `key`, or leaves the key out (taking away what it
    // held) when the value is the same as `defaultValue`.
    void WriteProperty(const std::string& key, const PropertyValue& value,
                       const PropertyValue& defaultValue);
    // Stores `value` as it is: what a form keeps for a control it places.
    void Set(const std::string& key, const PropertyValue& value);

    bool Contains(const std::string& key) const;
    // Keys in the order they were first stored.
    std::vector<std::string> Keys() const;

private:
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace forms
