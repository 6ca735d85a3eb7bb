#include "support/program_folder.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/win32_child_process.h"
#include "support/win32_text.h"
#include "shared/program_contract.h"

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    return static_cast<bool>(file.flush());
}

std::string BinFolder() {
    const char* bin = std::getenv("GLINTRA_BIN_DIR");
    std::string folder = bin != nullptr ? bin : "";
    for (char& c : folder) {
        if (c == '/') c = '\\';
    }
    return folder;
}

void RemoveFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            // A link is removed, never what it points at (nor its attributes).
            const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (!link && (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            }
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !link) {
                RemoveFolderTree(path);
            } else if (!DeleteFileW(path.c_str())) {
                RemoveDirectoryW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

ProgramFolder::ProgramFolder() {
    const std::string bin = BinFolder();
    if (bin.empty()) {
        error_ = "GLINTRA_BIN_DIR is not set: run the test through ctest";
        return;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int count = 0;
    path_ = std::string(temp) + "glintra_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++count);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) {
        error_ = "cannot make " + path_ + ": error " + std::to_string(GetLastError());
        return;
    }
    for (const char* file : {kHostFile, kRendererFile}) {
        if (!CopyFileA((bin + file).c_str(), (path_ + file).c_str(), FALSE)) {
            error_ = "cannot copy " + bin + file + ": error " + std::to_string(GetLastError());
            return;
        }
    }
}

ProgramFolder::~ProgramFolder() {
    if (!path_.empty()) RemoveFolderTree(WideFromAnsi(path_));
}

std::string ProgramFolder::host() const { return path_ + kHostFile; }
std::string ProgramFolder::renderer() const { return path_ + kRendererFile; }

bool ProgramFolder::BreakRenderer() const { return Write(kRendererFile + 1, "not a program"); }

bool ProgramFolder::UseRendererStandIn() const {
    const std::string standIn = FileBytes(BinFolder() + "\\" + RENDERER_STAND_IN_FROM_BIN);
    return !standIn.empty() && Write(kRendererFile + 1, standIn);
}

bool ProgramFolder::Write(const std::string& name, const std::string& bytes) const {
    return WriteFileBytes(File(name), bytes);
}

std::optional<std::string> UnixPath(const std::string& path) {
    using Converter = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<Converter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return std::nullopt;
    const std::wstring wide(path.begin(), path.end());
    char* unix = toUnix(wide.c_str());
    if (unix == nullptr) return std::nullopt;
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::optional<int> RunUnixCommand(const std::string& command,
                                  const std::vector<std::string>& paths) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int count = 0;
    const std::string done = std::string(temp) + "glintra-unix-command-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    const std::optional<std::string> unixDone = UnixPath(done);
    if (!unixDone) return std::nullopt;
    // The status is written under another name first, so that it is read
    // whole.
    std::string arguments =
        "-c \"" + command +
        " \\\"$@\\\"; echo $? >\\\"$0.part\\\" && mv \\\"$0.part\\\" \\\"$0\\\"\" \"" + *unixDone +
        "\"";
    for (const std::string& path : paths) {
        const std::optional<std::string> unix = UnixPath(path);
        if (!unix) return std::nullopt;
        arguments += " \"" + *unix + "\"";
    }
    ChildProcess shell(std::string("Z:\\bin\\sh"), arguments, false);
    if (!shell.started() || !WaitUntil([&] { return PathExists(done); }, 20)) {
        return std::nullopt;
    }
    const std::string status = FileBytes(done);
    DeleteFileA(done.c_str());
    return std::atoi(status.c_str());
}
