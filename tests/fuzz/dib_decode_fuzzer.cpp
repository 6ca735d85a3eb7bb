// libFuzzer target for the portable BMP decoder; scripts/fuzz-dib.sh builds
// and runs it. Besides what the sanitizers catch, it checks that an accepted
// file is described within its own bytes, that the working description GDI
// would get can be written, and that the picture has the size it claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "renderer/dib_decode.h"

namespace {

// Pictures of up to 2^16 pixels keep each run fast (a few bytes of RLE data
// can ask for the largest picture allowed); the rules are the same as at the
// real cap.
constexpr uint64_t kFuzzMaxPixels = uint64_t{1} << 16;

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DibLayout layout;
    const DibStatus parsed = ParseDib(data, size, &layout, kFuzzMaxPixels);
    if (parsed == DibStatus::kOk) {
        Require(layout.pixels >= data && layout.pixelBytes <= size_t(data + size - layout.pixels));
        const size_t table = size_t{layout.colourCount} * layout.colourEntrySize;
        Require(layout.colourTable >= data && table <= size_t(data + size - layout.colourTable));
        std::vector<unsigned char> info(DibWorkingInfoSize(layout));
        WriteDibWorkingInfo(layout, info.data());
    }

    RgbImage* image = nullptr;
    Require(DecodeDib(data, size, &image, kFuzzMaxPixels) == parsed);
    Require((image != nullptr) == (parsed == DibStatus::kOk));
    if (image != nullptr) {
        Require(image->width == layout.width && image->height == DibRows(layout));
        // Touch every byte, so that a short allocation shows.
        unsigned sum = 0;
        const size_t bytes = static_cast<size_t>(image->width) * image->height * 3;
        for (size_t i = 0; i < bytes; ++i) sum += image->data[i];
        Require(sum <= bytes * 255);
        std::free(image->data);
        std::free(image);
    }
    return 0;
}
