// libFuzzer target for the decimal reader (host/forms/decimal_number.h);
// scripts/fuzz-decimal.sh builds and runs it. Every input is read with every
// syntax and held to the reference in decimal_number_check.cpp; any
// difference stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/decimal_number_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string difference = CheckDecimalReading(data, size);
    if (!difference.empty()) {
        std::fprintf(stderr, "decimal reader differs from the reference: %s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
