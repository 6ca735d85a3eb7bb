#include "support/child_of_this_program_win32.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

namespace {

constexpr char kChildSwitch[] = "--child";
std::FILE* childLog = nullptr;

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string LogPathFor(const std::string& mode) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "glintra-child-" + std::to_string(GetCurrentProcessId()) + "-" +
           mode + ".log";
}

}  // namespace

ChildOfThisProgram::ChildOfThisProgram(const std::string& mode)
    : ChildProcess(ThisProgram(),
                   std::string(kChildSwitch) + " " + mode + " \"" + LogPathFor(mode) + "\"", true),
      logPath_(LogPathFor(mode)) {}

ChildOfThisProgram::~ChildOfThisProgram() { DeleteFileA(logPath_.c_str()); }

std::vector<std::string> ChildOfThisProgram::Log() const {
    std::vector<std::string> lines;
    std::ifstream in(logPath_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::optional<int> RunAsChild(int argc, char** argv,
                              const std::map<std::string, std::function<int()>>& modes) {
    if (argc != 4 || std::string(argv[1]) != kChildSwitch) return std::nullopt;
    const auto mode = modes.find(argv[2]);
    childLog = std::fopen(argv[3], "w");
    if (mode == modes.end() || childLog == nullptr) return 91;
    return mode->second();
}

void WriteChildLog(const std::string& line) {
    if (childLog == nullptr) return;
    std::fprintf(childLog, "%s\n", line.c_str());
    std::fflush(childLog);
}
