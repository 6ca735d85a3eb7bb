#include "host/forms/property_bag.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "host/forms/decimal_number.h"

namespace forms {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
               return lower(x) == lower(y);
           });
}

// The number a Boolean, a number or a numeric text stands for.
std::optional<double> NumberOf(const PropertyValue& value) {
    const auto& v = value.value();
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
    if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    if (const auto* s = std::get_if<std::string>(&v)) return ParseNumericText(*s);
    return std::nullopt;
}

template <typename T>
std::optional<T> ToWhole(const PropertyValue& value) {
    const std::optional<double> number = NumberOf(value);
    if (!number) return std::nullopt;
    const double rounded = std::nearbyint(*number);  // halves to even
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(rounded);
}

}  // namespace

std::optional<double> ParseNumericText(std::string_view text) {
    const std::optional<DecimalNumber> number = ScanDecimal(text);
    if (!number) return std::nullopt;
    return ToDouble(*number);
}

bool SameValue(const PropertyValue& a, const PropertyValue& b) {
    const auto& va = a.value();
    const auto& vb = b.value();
    const auto* ta = std::get_if<std::string>(&va);
    const auto* tb = std::get_if<std::string>(&vb);
    if (ta != nullptr && tb != nullptr) return *ta == *tb;
    const auto* fa = std::get_if<FontDescription>(&va);
    const auto* fb = std::get_if<FontDescription>(&vb);
    if (fa != nullptr || fb != nullptr) return fa != nullptr && fb != nullptr && *fa == *fb;
    const std::optional<double> na = NumberOf(a);
    const std::optional<double> nb = NumberOf(b);
    return na && nb && *na == *nb;
}

std::optional<bool> ToBoolean(const PropertyValue& value) {
    if (const auto* s = std::get_if<std::string>(&value.value())) {
        const std::string_view text = TrimBlanks(*s);
        if (EqualsIgnoringCase(text, "True")) return true;
        if (EqualsIgnoringCase(text, "False")) return false;
    }
    const std::optional<double> number = NumberOf(value);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<uint8_t> ToByte(const PropertyValue& value) { return ToWhole<uint8_t>(value); }
std::optional<int16_t> ToInteger(const PropertyValue& value) { return ToWhole<int16_t>(value); }
std::optional<int32_t> ToLong(const PropertyValue& value) { return ToWhole<int32_t>(value); }

std::optional<std::string> ToText(const PropertyValue& value) {
    const auto& v = value.value();
    if (const auto* b = std::get_if<bool>(&v)) return std::string(*b ? "True" : "False");
    if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *d);
        if (result.ec != std::errc()) return std::nullopt;
        return std::string(buffer, result.ptr);
    }
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    return std::get<FontDescription>(v).name;
}

std::optional<std::string> ToFontName(const PropertyValue& value) {
    const auto& v = value.value();
    if (const auto* f = std::get_if<FontDescription>(&v)) return f->name;
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    return std::nullopt;
}

PropertyValue PropertyBag::ReadProperty(const std::string& key,
                                        const PropertyValue& defaultValue) const {
    for (const auto& entry : entries_) {
        if (entry.first == key) return entry.second;
    }
    return defaultValue;
}

void PropertyBag::WriteProperty(const std::string& key, const PropertyValue& value,
                                const PropertyValue& defaultValue) {
    if (SameValue(value, defaultValue)) {
        entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                      [&](const auto& entry) { return entry.first == key; }),
                       entries_.end());
        return;
    }
    Set(key, value);
}

void PropertyBag::Set(const std::string& key, const PropertyValue& value) {
    for (auto& entry : entries_) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    entries_.emplace_back(key, value);
}

bool PropertyBag::Contains(const std::string& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& entry) { return entry.first == key; });
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& entry : entries_) keys.push_back(entry.first);
    return keys;
}

}  // namespace forms
