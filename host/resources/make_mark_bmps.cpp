// Writes the settings dialog's two selection marks as BMP files into a
// folder: make_mark_bmps <folder>.
#include <cstdio>
#include <string>

#include "host/resources/mark_pictures.h"

namespace {

bool Write(const std::string& path, const std::vector<unsigned char>& file) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool written = Write(folder + kMarkNotSelectedFile, MakeMarkBitmapFile(false)) &&
                         Write(folder + kMarkSelectedFile, MakeMarkBitmapFile(true));
    return written ? 0 : 1;
}
