#pragma once

#include <cstdint>
#include <string>

// The two things the host reads from its command line (the arguments only, as
// CommandLine() gives them). Portable.

// The switch letter: the second character of the upper-cased command line
// ("/s", "-s" and "xs" all give 'S'); 0 when there is none. The first
// character is not looked at, so " /s" gives '/'.
char16_t SwitchLetter(const std::u16string& commandLine);

// The preview window's handle: the command line from its fourth character on
// ("/p 1234", "/p:1234"), read as a decimal number the way the host always has
// read it: blanks, tabs and line feeds are skipped anywhere, a sign, a
// fraction and an exponent are allowed, reading stops at the first character
// that can't belong to the number, and no digits give 0. The number is
// rounded to a whole one (halves to even); 0 when it does not fit 32 bits.
int32_t PreviewHandle(const std::u16string& commandLine);
