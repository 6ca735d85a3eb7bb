#pragma once

// Part of a test program run in a process of its own, for what ends a
// process (End, the last form unloaded): the program started again as
// `program --child MODE LOG`. The child runs the function of its mode and
// writes lines to LOG (WriteChildLog); the parent reads them back.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/win32_child_process.h"

// In the parent: this program started as the child for `mode`.
class ChildOfThisProgram : public ChildProcess {
public:
    explicit ChildOfThisProgram(const std::string& mode);
    ~ChildOfThisProgram();

    // The lines the child has written so far.
    std::vector<std::string> Log() const;

private:
    std::string logPath_;
};

// In main(), before the tests: when this process is a child, runs its mode's
// function and gives the status to exit with (91 for an unknown mode or a
// log that can't be written); nothing in the parent.
std::optional<int> RunAsChild(int argc, char** argv,
                              const std::map<std::string, std::function<int()>>& modes);

// In the child: one line of its log, written through at once, since the
// child may end without flushing anything.
void WriteChildLog(const std::string& line);
