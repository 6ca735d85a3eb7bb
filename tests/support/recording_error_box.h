#pragma once

// A definition of ShowErrorBox for tests: it records each text instead of
// showing a box, so that a test can check what the user would have been told
// and how many times.

#include <string>
#include <vector>

// The texts shown since the last call, oldest first; clears the record.
std::vector<std::string> TakeShownErrors();
