#pragma once

#include <string>

// The settings tests' own AppFolder(): the folder that a test made, so that
// each test finds its Glintra.ini where it wrote it and two runs at once (the
// code page 932 and 1252 runs) never share one.
void SetAppFolderForTest(const std::string& folder);
