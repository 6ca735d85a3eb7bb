// Writes the glow texture as a BMP file: make_glow_bmp [<path>]. Without a
// path, to where the renderer reads it (the folder made if missing).
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "host/resources/generated_file.h"
#include "host/resources/glow_texture.h"
#include "shared/program_contract.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [<output.bmp>]\n", argv[0]);
        return 2;
    }
    if (argc == 1) {
        std::error_code ignored;
        std::filesystem::create_directories(kGlowBitmapFolder, ignored);
    }
    return WriteFileBytes(argc == 2 ? argv[1] : kGlowBitmapPath, MakeGlowBitmapFile()) ? 0 : 1;
}
