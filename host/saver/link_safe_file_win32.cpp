#include "host/saver/link_safe_file_win32.h"

#include <windows.h>

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (ok()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The path by which the file system reaches what `handle` names, every link,
// junction and mount point on the way followed:
// https://learn.microsoft.com/en-us/windows/win32/api/fileapi/nf-fileapi-getfinalpathnamebyhandlew
std::wstring FinalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);  // the size needed, with the terminating null
    }
}

// Whether `handle` is reached by `path` itself: its final path is `path`
// (case aside) in the "\\?\" form that GetFinalPathNameByHandleW gives.
bool ReachedBy(HANDLE handle, const std::wstring& path) {
    const std::wstring final = FinalPath(handle);
    const std::wstring expected = L"\\\\?\\" + path;
    return !final.empty() &&
           CompareStringOrdinal(final.c_str(), static_cast<int>(final.size()), expected.c_str(),
                                static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

// A plain folder, or a plain file with one name; no reparse point.
bool IsPlain(HANDLE handle, bool folder) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return false;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return false;
    if (((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folder) return false;
    return folder || info.nNumberOfLinks == 1;
}

bool NamesALink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

bool WriteFileWithoutFollowingLinks(const std::wstring& folder, const std::wstring& path,
                                    const void* bytes, unsigned long size) {
    CreateDirectoryW(folder.c_str(), nullptr);  // fails harmlessly when it exists
    if (NamesALink(folder)) return false;
    // Held open, and not shared for deleting, so that nobody can rename the
    // folder or put a link in its place until the file is written.
    // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself rather than its target.
    const Handle folderHandle(CreateFileW(
        folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folderHandle.ok() || !IsPlain(folderHandle.get(), true) ||
        !ReachedBy(folderHandle.get(), folder)) {
        return false;
    }

    // Opening a dangling link would make the file it names: a link is
    // refused before it is opened, and a file that seems missing is only
    // made new (CREATE_NEW fails on any name that is there, a link
    // included). Neither way of opening empties the file: that waits until
    // it has been checked.
    if (NamesALink(path)) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const Handle file(
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    attributes == INVALID_FILE_ATTRIBUTES ? CREATE_NEW : OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.ok() || !IsPlain(file.get(), false) || !ReachedBy(file.get(), path)) return false;

    DWORD written = 0;
    return SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(file.get()) &&
           WriteFile(file.get(), bytes, size, &written, nullptr) && written == size;
}
