// Writes the settings dialog's two selection marks as BMP files into a
// folder: make_mark_bmps <folder>.
#include <cstdio>
#include <string>

#include "host/resources/generated_file.h"
#include "host/resources/mark_pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool written = WriteFileBytes(folder + kMarkNotSelectedFile, MakeMarkBitmapFile(false)) &&
                         WriteFileBytes(folder + kMarkSelectedFile, MakeMarkBitmapFile(true));
    return written ? 0 : 1;
}
