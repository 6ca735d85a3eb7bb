#pragma once

#include <string>

// The running host as a whole.

// The folder that holds the running program, without a trailing backslash
// (except at a drive root), in the ANSI code page.
std::string AppFolder();
