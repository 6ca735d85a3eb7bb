#pragma once

#include <memory>

#include "host/forms/form.h"

// The host's start-up: the instance test, then the mode that the command
// line's switch letter selects. Returns the loaded form of that mode, which
// the application keeps while it runs; every other path ends the host.
std::unique_ptr<forms::Form> StartUp();
