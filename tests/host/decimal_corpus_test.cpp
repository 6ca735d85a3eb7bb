// Every file of the decimal reader's fuzzing corpus through the fuzzer's own
// differential check, in the ordinary test run: what the fuzzer once found
// stays found without libFuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/decimal_number_check.h"

namespace {

TEST(DecimalCorpus, EveryFileReadsAsTheReferenceSays) {
    const char* source = std::getenv("GLINTRA_SOURCE_DIR");
    const std::filesystem::path dir =
        std::filesystem::path(source != nullptr ? source : ".") / "tests/fuzz/corpus/decimal";
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file(error)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no corpus in " << dir;
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        ASSERT_TRUE(in.is_open()) << path;
        EXPECT_EQ(CheckDecimalReading(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                  "")
            << path;
    }
}

}  // namespace
