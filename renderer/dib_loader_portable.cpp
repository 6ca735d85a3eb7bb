// LoadDibAsRgb for platforms without GDI: the whole file in memory, decoded
// by the portable decoder.
#include "renderer/dib_loader.h"

#include <cstdio>
#include <cstdlib>

#include "renderer/dib_decode.h"
#include "renderer/dib_report.h"

namespace {

// Reads the whole file into a buffer from malloc. A file that cannot be read
// to its end counts as not opened, and so does an empty one, as on Windows,
// where an empty file cannot be mapped.
DibStatus ReadWholeFile(const char* path, unsigned char** data, size_t* size) {
    *data = nullptr;
    *size = 0;
    std::FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) return DibStatus::kOpenFailed;

    DibStatus status = DibStatus::kOk;
    unsigned char* buffer = nullptr;
    size_t capacity = 0;
    size_t used = 0;
    for (;;) {
        if (used == capacity) {
            const size_t grown = capacity == 0 ? 64 * 1024 : capacity * 2;
            void* bigger = grown > capacity ? std::realloc(buffer, grown) : nullptr;
            if (bigger == nullptr) {
                status = DibStatus::kOutOfMemory;
                break;
            }
            buffer = static_cast<unsigned char*>(bigger);
            capacity = grown;
        }
        const size_t got = std::fread(buffer + used, 1, capacity - used, file);
        used += got;
        if (got == 0) {
            if (std::ferror(file)) status = DibStatus::kOpenFailed;
            break;
        }
    }
    std::fclose(file);
    if (status == DibStatus::kOk && used == 0) status = DibStatus::kOpenFailed;
    if (status != DibStatus::kOk) {
        std::free(buffer);
        return status;
    }
    *data = buffer;
    *size = used;
    return DibStatus::kOk;
}

}  // namespace

RgbImage* LoadDibAsRgb(const char* path) {
    unsigned char* file = nullptr;
    size_t size = 0;
    RgbImage* image = nullptr;
    DibStatus status = ReadWholeFile(path, &file, &size);
    if (status == DibStatus::kOk) status = DecodeDib(file, size, &image);
    std::free(file);
    if (status != DibStatus::kOk) ReportDibFailure(status, path);
    return image;
}
