// Writes the Command button's face pictures into a folder:
// make_button_faces <folder>.
#include <cstdio>
#include <string>

#include "host/resources/button_faces.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    using command_button::Face;
    for (Face face :
         {Face::Normal, Face::HighLight, Face::Pressed, Face::Disable, Face::Selected}) {
        const std::string path = std::string(argv[1]) + "/" + FaceFileName(face);
        const std::vector<unsigned char> file = MakeFaceBitmapFile(face);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) {
            std::perror(path.c_str());
            return 1;
        }
        const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
        if (std::fclose(out) != 0 || !written) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}
