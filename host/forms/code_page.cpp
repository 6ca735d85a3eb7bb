#include "host/forms/code_page.h"

namespace forms {

ExactConversion ExactConversionFor(unsigned codePage) {
    constexpr unsigned kUtf7 = 65000, kUtf8 = 65001, kSymbol = 42;
    if (codePage == kUtf8) return {kErrInvalidChars, false};
    // ISO-2022 and the ISCII code pages, UTF-7 and Symbol.
    const bool takesNoFlags = codePage == kUtf7 || codePage == kSymbol ||
                              (codePage >= 50220 && codePage <= 50229) ||
                              (codePage >= 57002 && codePage <= 57011);
    if (takesNoFlags) return {0, false};
    return {kNoBestFitChars, true};
}

}  // namespace forms
