#include "host/app/command_line.h"

#include <limits>
#include <optional>
#include <string_view>

#include "host/forms/decimal_number.h"

char16_t SwitchLetter(const std::u16string& commandLine) {
    if (commandLine.size() < 2) return 0;
    // Only the switch letters matter, and only ASCII letters upper-case to them.
    const char16_t c = commandLine[1];
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

int32_t PreviewHandle(const std::u16string& commandLine) {
    if (commandLine.size() < 4) return 0;
    constexpr forms::DecimalSyntax kHandleSyntax = {forms::DecimalExponent::kEOrD,
                                                    forms::DecimalBlanks::kAnywhere,
                                                    forms::DecimalExtent::kPrefix};
    const std::optional<forms::DecimalNumber> number =
        forms::ScanDecimal(std::u16string_view(commandLine).substr(3), kHandleSyntax);
    if (!number) return 0;
    const std::optional<int64_t> handle = forms::ToWholeNumber(
        *number, forms::Rounding::kHalfToEven, std::numeric_limits<int32_t>::min(),
        std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(handle.value_or(0));
}
