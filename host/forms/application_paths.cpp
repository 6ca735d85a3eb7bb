#include "host/forms/application_paths.h"

std::u16string FolderOfProgramPath(const std::u16string& path) {
    const size_t slash = path.rfind(u'\\');
    if (slash == std::u16string::npos) return u"";
    std::u16string folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == u':') folder += u'\\';
    return folder;
}

std::u16string ArgumentsOfCommandLine(const std::u16string& commandLine) {
    const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == u'"') {
        // The program's name has no escapes: it ends at the next quote.
        const size_t close = commandLine.find(u'"', 1);
        i = close == std::u16string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !isBlank(commandLine[i])) ++i;
    }
    if (i < commandLine.size() && isBlank(commandLine[i])) ++i;
    return commandLine.substr(i);
}
