// Writes the glow texture as a BMP file: make_glow_bmp [<path>]. Without a
// path, to where the renderer reads it (the folder made if missing).
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "host/resources/glow_texture.h"
#include "shared/program_contract.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [<output.bmp>]\n", argv[0]);
        return 2;
    }
    const char* path = argc == 2 ? argv[1] : kGlowBitmapPath;
    if (argc == 1) {
        std::error_code ignored;
        std::filesystem::create_directories(kGlowBitmapFolder, ignored);
    }
    const std::vector<unsigned char> file = MakeGlowBitmapFile();
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        std::perror(path);
        return 1;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(path);
        return 1;
    }
    return 0;
}
