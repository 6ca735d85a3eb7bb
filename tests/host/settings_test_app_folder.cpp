#include "settings_test_app_folder.h"

#include "host/forms/application.h"

namespace {
std::string& TestAppFolder() {
    static std::string folder;
    return folder;
}
}  // namespace

void SetAppFolderForTest(const std::string& folder) { TestAppFolder() = folder; }

std::string AppFolder() { return TestAppFolder(); }
