#include "renderer/gl_extensions.h"

#include <cstring>

bool ExtensionListHas(const char* list, const char* name) {
    const size_t length = std::strlen(name);
    if (list == nullptr || length == 0) return false;
    for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}
