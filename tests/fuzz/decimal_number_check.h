#pragma once

// The decimal reader (host/forms/decimal_number.h) held to a reference of
// its own, for any bytes: shared by the libFuzzer target and the corpus
// replay of the ordinary test run.

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the bytes with every syntax, as 8-bit text and as UTF-16 text (a
// byte from 0x80 on becomes a unit whose low byte is an ASCII character),
// and compares what the reader gives with the reference: whether there is a
// number, how many characters it takes, its exact form, its whole numbers in
// several ranges by both roundings, and its double. Empty when all agree,
// else what differed first.
std::string CheckDecimalReading(const uint8_t* data, size_t size);
