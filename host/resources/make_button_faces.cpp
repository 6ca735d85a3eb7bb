// Writes the Command button's face pictures into a folder:
// make_button_faces <folder>.
#include <cstdio>
#include <string>

#include "host/resources/button_faces.h"
#include "host/resources/generated_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (FacePicture face : kFacePictures) {
        const std::string path = std::string(argv[1]) + "/" + FaceFileName(face);
        if (!WriteFileBytes(path, MakeFaceBitmapFile(face))) return 1;
    }
    return 0;
}
