#pragma once

// The loader's shared test files: the bitmaps in tests/renderer/bitmaps and
// the fuzzing corpus in tests/fuzz/corpus/dib, found through the source tree
// that GLINTRA_SOURCE_DIR names (a Z: path under Wine).

#include <string>
#include <vector>

std::string DibBitmapPath(const std::string& name);
std::string DibCorpusDir();
std::string DibBitmapDir();

// The whole file; `ok` tells whether it could be read.
std::vector<unsigned char> ReadFileBytes(const std::string& path, bool* ok = nullptr);

// Paths of the regular files in `dir`, sorted, or none if it cannot be listed.
std::vector<std::string> FilesIn(const std::string& dir);
