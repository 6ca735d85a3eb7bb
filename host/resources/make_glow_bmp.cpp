// Writes the glow texture as a BMP file: make_glow_bmp <path>.
#include "host/resources/generated_file.h"
#include "host/resources/glow_texture.h"

int main(int argc, char** argv) {
    return WriteGeneratedFile(argc, argv, "<output.bmp>", MakeGlowBitmapFile());
}
