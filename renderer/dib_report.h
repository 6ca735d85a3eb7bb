#pragma once

#include "renderer/dib_decode.h"

// Tells the user why a load failed: one message box, shown through
// ShowErrorBox, that returns once it is dismissed. Both loader back ends
// report through here, so their texts cannot drift apart.
void ReportDibFailure(DibStatus status, const char* path);
