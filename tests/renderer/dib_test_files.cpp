#include "dib_test_files.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

std::string SourceDir() {
    const char* dir = std::getenv("GLINTRA_SOURCE_DIR");
    return dir != nullptr ? dir : ".";
}

}  // namespace

std::string DibBitmapDir() { return SourceDir() + "/tests/renderer/bitmaps"; }

std::string DibBitmapPath(const std::string& name) { return DibBitmapDir() + "/" + name; }

std::string DibCorpusDir() { return SourceDir() + "/tests/fuzz/corpus/dib"; }

std::vector<unsigned char> ReadFileBytes(const std::string& path, bool* ok) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (ok != nullptr) *ok = in.is_open() && !in.bad();
    return bytes;
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file(error)) files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}
