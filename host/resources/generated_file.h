#pragma once

#include <string>
#include <vector>

// Writing a picture generator's output.

// Writes `bytes` to `path`; false (reported on standard error) when the file
// can't be written.
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// The main() of a generator of one file: writes `bytes` to the one path on
// its command line. Returns the process's exit status (2 for a wrong command
// line, 1 when the file can't be written).
int WriteGeneratedFile(int argc, char** argv, const char* usage,
                       const std::vector<unsigned char>& bytes);
