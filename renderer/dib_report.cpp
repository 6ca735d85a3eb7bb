#include "renderer/dib_report.h"

#include <cstdlib>

#include "renderer/error_box.h"

void ReportDibFailure(DibStatus status, const char* path) {
    char* text = DibFailureText(status, path);
    ShowErrorBox(text != nullptr ? text : kDibOutOfMemoryText);
    std::free(text);
}
