// LoadDibAsRgb on Windows: the file mapped read-only and converted by GDI,
// SetDIBits into a 24-bit DIB section. The portable decoder validates the
// file first, so that GDI is never handed anything that reads outside it.
#include "renderer/dib_loader.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "renderer/dib_decode.h"
#include "renderer/dib_report.h"

namespace {

static_assert(sizeof(BITMAPINFOHEADER) == 40, "the working description is a 40-byte header");

// Everything one load takes, given back in reverse order whether or not the
// load succeeded.
struct LoadResources {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    const unsigned char* view = nullptr;
    HLOCAL info = nullptr;
    HDC dc = nullptr;
    HBITMAP target = nullptr;
    HGDIOBJ previous = nullptr;

    LoadResources() = default;
    LoadResources(const LoadResources&) = delete;
    LoadResources& operator=(const LoadResources&) = delete;

    ~LoadResources() {
        if (previous != nullptr) SelectObject(dc, previous);
        if (target != nullptr) DeleteObject(target);
        if (dc != nullptr) DeleteDC(dc);
        if (info != nullptr) LocalFree(info);
        if (view != nullptr) UnmapViewOfFile(view);
        if (mapping != nullptr) CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
};

// Maps the whole file read-only; others may read it meanwhile but not write
// it. An empty file cannot be mapped (CreateFileMapping refuses a zero-size
// mapping of a zero-size file) and so counts as not opened.
DibStatus MapFile(const char* path, LoadResources& r, size_t* size) {
    r.file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (r.file == INVALID_HANDLE_VALUE) return DibStatus::kOpenFailed;
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(r.file, &fileSize) ||
        static_cast<unsigned long long>(fileSize.QuadPart) > SIZE_MAX) {
        return DibStatus::kOpenFailed;
    }
    r.mapping = CreateFileMappingA(r.file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (r.mapping == nullptr) return DibStatus::kOpenFailed;
    r.view = static_cast<const unsigned char*>(MapViewOfFile(r.mapping, FILE_MAP_READ, 0, 0, 0));
    if (r.view == nullptr) return DibStatus::kOpenFailed;
    *size = static_cast<size_t>(fileSize.QuadPart);
    return DibStatus::kOk;
}

DibStatus Convert(const DibLayout& layout, LoadResources& r, RgbImage** image) {
    r.info = LocalAlloc(LMEM_FIXED, DibWorkingInfoSize(layout));
    if (r.info == nullptr) return DibStatus::kOutOfMemory;
    WriteDibWorkingInfo(layout, static_cast<unsigned char*>(r.info));

    const int32_t rows = DibRows(layout);
    r.dc = CreateCompatibleDC(nullptr);
    if (r.dc == nullptr) return DibStatus::kOutOfMemory;
    BITMAPINFO target = {};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = layout.width;
    // Always bottom-up: SetDIBits turns a top-down file upright on the way.
    target.bmiHeader.biHeight = rows;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    r.target = CreateDIBSection(r.dc, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (r.target == nullptr || bits == nullptr) return DibStatus::kOutOfMemory;
    r.previous = SelectObject(r.dc, r.target);
    if (r.previous == nullptr || r.previous == HGDI_ERROR) {
        r.previous = nullptr;
        return DibStatus::kOutOfMemory;
    }
    if (SetDIBits(r.dc, r.target, 0, static_cast<UINT>(rows), layout.pixels,
                  static_cast<const BITMAPINFO*>(r.info), DIB_RGB_COLORS) == 0) {
        return DibStatus::kNotConvertible;
    }
    // GDI may still be writing into a DIB section until it is flushed:
    // https://learn.microsoft.com/windows/win32/api/wingdi/nf-wingdi-gdiflush
    GdiFlush();

    const size_t bytes = static_cast<size_t>(layout.width) * static_cast<size_t>(rows) * 3;
    auto* pixels = static_cast<unsigned char*>(std::malloc(bytes));
    if (pixels == nullptr) return DibStatus::kOutOfMemory;
    CopyBgrRowsAsRgb(static_cast<const unsigned char*>(bits), layout.width, rows, pixels);
    *image = NewRgbImage(layout.width, rows, pixels);
    if (*image == nullptr) {
        std::free(pixels);
        return DibStatus::kOutOfMemory;
    }
    return DibStatus::kOk;
}

DibStatus Load(const char* path, RgbImage** image) {
    LoadResources resources;
    size_t size = 0;
    DibStatus status = MapFile(path, resources, &size);
    DibLayout layout;
    if (status == DibStatus::kOk) status = ParseDib(resources.view, size, &layout);
    if (status == DibStatus::kOk) status = Convert(layout, resources, image);
    return status;
}

}  // namespace

RgbImage* LoadDibAsRgb(const char* path) {
    RgbImage* image = nullptr;
    // The file is closed again before any message box, so that the user
    // does not keep it locked by leaving the box up.
    const DibStatus status = Load(path, &image);
    if (status != DibStatus::kOk) ReportDibFailure(status, path);
    return image;
}
