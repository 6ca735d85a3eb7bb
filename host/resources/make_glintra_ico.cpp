// Writes the program's icon file: make_glintra_ico <path>.
#include "host/resources/generated_file.h"
#include "host/resources/glintra_icon.h"

int main(int argc, char** argv) {
    return WriteGeneratedFile(argc, argv, "<output.ico>", MakeIconFile());
}
