// Every picture committed in host/resources is what its generator makes
// today: the programs embed the committed files, so a generator changed
// without its files remade would ship the old pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "host/resources/button_faces.h"
#include "host/resources/glintra_icon.h"
#include "host/resources/glow_texture.h"
#include "host/resources/mark_pictures.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(CommittedPictures, AreTheirGeneratorsOutput) {
    const char* source = std::getenv("GLINTRA_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const struct {
        std::string file;
        std::function<Bytes()> make;
        const char* remake;  // the generator in build/native/host/resources
    } pictures[] = {
        {"glow.bmp", MakeGlowBitmapFile, "glintra_make_glow host/resources/glow.bmp"},
        {"Glintra.ico", MakeIconFile, "glintra_make_ico host/resources/Glintra.ico"},
        {kMarkNotSelectedFile, [] { return MakeMarkBitmapFile(false); },
         "glintra_make_marks host/resources"},
        {kMarkSelectedFile, [] { return MakeMarkBitmapFile(true); },
         "glintra_make_marks host/resources"},
        {FaceFileName(FacePicture::Normal), [] { return MakeFaceBitmapFile(FacePicture::Normal); },
         "glintra_make_button_faces host/resources"},
        {FaceFileName(FacePicture::HighLight),
         [] { return MakeFaceBitmapFile(FacePicture::HighLight); },
         "glintra_make_button_faces host/resources"},
        {FaceFileName(FacePicture::Pressed),
         [] { return MakeFaceBitmapFile(FacePicture::Pressed); },
         "glintra_make_button_faces host/resources"},
        {FaceFileName(FacePicture::Disable),
         [] { return MakeFaceBitmapFile(FacePicture::Disable); },
         "glintra_make_button_faces host/resources"},
        {FaceFileName(FacePicture::Selected),
         [] { return MakeFaceBitmapFile(FacePicture::Selected); },
         "glintra_make_button_faces host/resources"},
    };
    for (const auto& picture : pictures) {
        std::ifstream file(std::string(source) + "/host/resources/" + picture.file,
                           std::ios::binary);
        const Bytes committed{std::istreambuf_iterator<char>(file), {}};
        EXPECT_FALSE(committed.empty()) << picture.file << " missing";
        EXPECT_TRUE(committed == picture.make())
            << picture.file << ": remake it with " << picture.remake;
    }
}

}  // namespace
