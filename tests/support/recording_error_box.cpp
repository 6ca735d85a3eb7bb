#include "support/recording_error_box.h"

#include <utility>

#include "renderer/error_box.h"

namespace {

std::vector<std::string>& Shown() {
    static std::vector<std::string> shown;
    return shown;
}

}  // namespace

void ShowErrorBox(const char* text) { Shown().emplace_back(text); }

std::vector<std::string> TakeShownErrors() { return std::exchange(Shown(), {}); }
