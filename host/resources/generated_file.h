#pragma once

#include <vector>

// The main() of a picture generator: writes `bytes` to the one path on its
// command line. Returns the process's exit status (2 for a wrong command
// line, 1 when the file can't be written).
int WriteGeneratedFile(int argc, char** argv, const char* usage,
                       const std::vector<unsigned char>& bytes);
