#include "host/resources/generated_file.h"

#include <cstdio>

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(path.c_str());
        return false;
    }
    return true;
}

int WriteGeneratedFile(int argc, char** argv, const char* usage,
                       const std::vector<unsigned char>& bytes) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
        return 2;
    }
    return WriteFileBytes(argv[1], bytes) ? 0 : 1;
}
