#include "host/app/command_line.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The number at the start of `text` as text of ASCII characters the C library
// can read: blanks left out, and stopped where a number can go on no further.
std::string NumberPrefix(const std::u16string& text) {
    std::string number;
    size_t i = 0;
    const auto next = [&]() -> char16_t {
        while (i < text.size() && IsBlank(text[i])) ++i;
        return i < text.size() ? text[i] : u'\0';
    };
    if (next() == u'+' || next() == u'-') number += static_cast<char>(text[i++]);
    bool digits = false;
    while (IsDigit(next())) number += static_cast<char>(text[i++]), digits = true;
    if (next() == u'.') {
        number += text[i++];
        while (IsDigit(next())) number += static_cast<char>(text[i++]), digits = true;
    }
    if (!digits) return "";
    const char16_t e = next();
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        // An exponent counts only with at least one digit after its sign.
        std::string exponent = "e";
        const size_t mark = ++i;
        if (next() == u'+' || next() == u'-') exponent += static_cast<char>(text[i++]);
        bool exponentDigits = false;
        while (IsDigit(next())) exponent += static_cast<char>(text[i++]), exponentDigits = true;
        if (exponentDigits)
            number += exponent;
        else
            i = mark;
    }
    return number;
}

}  // namespace

char16_t SwitchLetter(const std::u16string& commandLine) {
    if (commandLine.size() < 2) return 0;
    // Only the switch letters matter, and only ASCII letters upper-case to them.
    const char16_t c = commandLine[1];
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

int32_t PreviewHandle(const std::u16string& commandLine) {
    if (commandLine.size() < 4) return 0;
    const std::string number = NumberPrefix(commandLine.substr(3));
    if (number.empty()) return 0;
    const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));  // halves to even
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) return 0;
    return static_cast<int32_t>(value);
}
