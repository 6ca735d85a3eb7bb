#include "host/forms/decimal_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace forms {

namespace {

// Where an exponent is held (see DecimalNumber::pointPosition). With the
// digits counted in size_t, pointPosition stays far inside int64_t.
constexpr int64_t kExponentLimit = 1000000000000000000;

template <typename Char>
bool IsDigit(Char c) {
    return c >= Char('0') && c <= Char('9');
}

template <typename Char>
bool IsExponentMarker(Char c, DecimalExponent exponent) {
    switch (exponent) {
        case DecimalExponent::kNone:
            return false;
        case DecimalExponent::kE:
            return c == Char('e') || c == Char('E');
        case DecimalExponent::kEOrD:
            return c == Char('e') || c == Char('E') || c == Char('d') || c == Char('D');
    }
    return false;
}

template <typename Char>
class Reader {
public:
    Reader(std::basic_string_view<Char> text, DecimalBlanks blanks)
        : text_(text), inside_(blanks == DecimalBlanks::kAnywhere) {}

    // The next character of the number, after the blanks that may stand
    // inside it; 0 at the end.
    Char Peek() {
        if (inside_) SkipBlanks();
        return position_ < text_.size() ? text_[position_] : Char(0);
    }
    void Take() { end_ = ++position_; }

    void SkipBlanks() {
        while (position_ < text_.size() && IsBlank(text_[position_])) ++position_;
    }
    bool AtEnd() const { return position_ == text_.size(); }

    // Just past the last character taken.
    size_t End() const { return end_; }
    // Reads on from just past an earlier End(), as if nothing after it was taken.
    void Restore(size_t end) { position_ = end_ = end; }

private:
    bool IsBlank(Char c) const {
        return c == Char(' ') || c == Char('\t') || (inside_ && c == Char('\n'));
    }

    std::basic_string_view<Char> text_;
    bool inside_;
    size_t position_ = 0;
    size_t end_ = 0;
};

template <typename Char>
std::optional<DecimalNumber> Scan(std::basic_string_view<Char> text, DecimalSyntax syntax) {
    Reader<Char> reader(text, syntax.blanks);
    DecimalNumber number;
    reader.SkipBlanks();
    Char c = reader.Peek();
    if (c == Char('+') || c == Char('-')) {
        number.negative = c == Char('-');
        reader.Take();
    }

    // Every digit, with the count of those before the point.
    std::string digits;
    int64_t wholeDigits = 0;
    while (IsDigit(c = reader.Peek())) {
        digits += static_cast<char>(c);
        ++wholeDigits;
        reader.Take();
    }
    if (c == Char('.')) {
        reader.Take();
        while (IsDigit(c = reader.Peek())) {
            digits += static_cast<char>(c);
            reader.Take();
        }
    }
    if (digits.empty()) return std::nullopt;

    int64_t exponent = 0;
    if (IsExponentMarker(c, syntax.exponent)) {
        const size_t beforeMarker = reader.End();
        reader.Take();
        bool negativeExponent = false;
        c = reader.Peek();
        if (c == Char('+') || c == Char('-')) {
            negativeExponent = c == Char('-');
            reader.Take();
            c = reader.Peek();
        }
        if (IsDigit(c)) {
            while (IsDigit(c = reader.Peek())) {
                const int digit = static_cast<int>(c - Char('0'));
                exponent = exponent > kExponentLimit / 10
                               ? kExponentLimit
                               : std::min(exponent * 10 + digit, kExponentLimit);
                reader.Take();
            }
            if (negativeExponent) exponent = -exponent;
        } else {
            reader.Restore(beforeMarker);  // a marker alone is no exponent
        }
    }

    number.length = reader.End();
    if (syntax.extent == DecimalExtent::kWholeText) {
        reader.Restore(number.length);
        reader.SkipBlanks();
        if (!reader.AtEnd()) return std::nullopt;
    }

    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return number;  // zero
    const size_t last = digits.find_last_not_of('0');
    number.digits = digits.substr(first, last + 1 - first);
    number.pointPosition = wholeDigits - static_cast<int64_t>(first) + exponent;
    return number;
}

}  // namespace

std::optional<DecimalNumber> ScanDecimal(std::string_view text, DecimalSyntax syntax) {
    return Scan(text, syntax);
}

std::optional<DecimalNumber> ScanDecimal(std::u16string_view text, DecimalSyntax syntax) {
    return Scan(text, syntax);
}

std::optional<double> ToDouble(const DecimalNumber& number) {
    if (number.digits.empty()) return number.negative ? -0.0 : 0.0;
    // 0.digits x 10^pointPosition lies in [10^(pointPosition - 1),
    // 10^pointPosition): from 10^309 on it is past the largest double, below
    // 10^-324 it is under half the smallest one.
    if (number.pointPosition > 309 || number.pointPosition < -323) return std::nullopt;
    const std::string text = (number.negative ? "-0." : "0.") + number.digits + "e" +
                             std::to_string(number.pointPosition);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value) || value == 0) return std::nullopt;
    return value;
}

std::optional<int64_t> ToWholeNumber(const DecimalNumber& number, Rounding rounding, int64_t min,
                                     int64_t max) {
    const std::string& digits = number.digits;
    // From 10^19 on, beyond int64_t whichever way it rounds.
    if (number.pointPosition > 19) return std::nullopt;

    // The magnitude's whole part, and what follows the point compared with a half.
    uint64_t whole = 0;
    for (int64_t k = 0; k < number.pointPosition; ++k) {
        const size_t index = static_cast<size_t>(k);
        whole = whole * 10 + static_cast<uint64_t>(index < digits.size() ? digits[index] - '0' : 0);
    }
    const size_t fractionStart = static_cast<size_t>(
        std::clamp<int64_t>(number.pointPosition, 0, static_cast<int64_t>(digits.size())));
    // The digits end in a non-zero one, so any digit left is a fraction.
    const bool hasFraction = fractionStart < digits.size();
    // With the point before the digits (0.05) the first after it is a zero.
    const char firstAfterPoint =
        number.pointPosition >= 0 && hasFraction ? digits[fractionStart] : '0';
    const bool moreAfterThat = fractionStart + 1 < digits.size();

    bool up = false;  // the magnitude rounds up
    if (rounding == Rounding::kDown) {
        up = number.negative && hasFraction;  // -0.5 is -1
    } else {
        const bool aboveHalf = firstAfterPoint > '5' || (firstAfterPoint == '5' && moreAfterThat);
        const bool half = firstAfterPoint == '5' && !moreAfterThat;
        up = aboveHalf || (half && whole % 2 == 1);
    }
    const uint64_t magnitude = whole + (up ? 1 : 0);

    if (!number.negative || magnitude == 0) {
        if (magnitude > static_cast<uint64_t>(max)) return std::nullopt;
        return static_cast<int64_t>(magnitude);
    }
    // |min| in unsigned arithmetic, where -INT64_MIN is no overflow.
    const uint64_t limit = uint64_t{0} - static_cast<uint64_t>(min);
    if (magnitude > limit) return std::nullopt;
    return -static_cast<int64_t>(magnitude - 1) - 1;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace forms
