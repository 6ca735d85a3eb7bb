#pragma once

#include <optional>
#include <string>
#include <vector>

// A folder of the test's own with copies of Glintra.scr and Glintra.dll (from
// GLINTRA_BIN_DIR), as a user installs them: a test starts the host from
// there and changes what lies beside it. The folder, with whatever the test
// put in it, goes with the object. Paths in the ANSI code page.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Why the folder could not be made, in one line; empty when it was.
    const std::string& error() const { return error_; }

    const std::string& path() const { return path_; }
    // A file in the folder.
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    std::string host() const;
    std::string renderer() const;

    // Puts `bytes` into the file `name`, replacing it; false when it can't.
    bool Write(const std::string& name, const std::string& bytes) const;
    // A Glintra.dll that can't be started.
    bool BreakRenderer() const;
    // A Glintra.dll that starts and ends at once, without a window, leaving
    // its process id in decimal in the file renderer.pid beside it.
    bool UseRendererStandIn() const;

private:
    std::string path_;
    std::string error_;
};

// The whole of a file as bytes; empty when there is none or it can't be read.
std::string FileBytes(const std::string& path);
// A file or a folder (or a link) at `path`.
bool PathExists(const std::string& path);
// Puts `bytes` into the file, replacing it; false when it can't.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// GLINTRA_BIN_DIR as a Windows path, where the build put both programs.
std::string BinFolder();

// Removes a folder and everything in it, read-only files included; a link
// in it goes, never what it points at.
void RemoveFolderTree(const std::wstring& folder);

// ---- The Unix side under Wine ----------------------------------------------

// The Unix path of a Windows one, from Wine's own kernel32; nothing outside
// Wine.
std::optional<std::string> UnixPath(const std::string& path);

// Runs a Unix command line with Windows paths as its last arguments, under
// Wine, which starts Unix programs through CreateProcess but gives no handle
// to wait on: the command leaves its exit status in a file. The status, or
// nothing outside Wine or when the command has not ended within 20 s.
std::optional<int> RunUnixCommand(const std::string& command,
                                  const std::vector<std::string>& paths = {});
