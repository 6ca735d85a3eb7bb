// A Glintra.dll for the tests: a renderer that ends at once, before it shows
// a window, as one the user ended while the host was still busy starting the
// music. It leaves its process id, in decimal, in renderer.pid beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    char path[MAX_PATH] = {};
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const std::string file = program.substr(0, program.find_last_of('\\') + 1) + "renderer.pid";
    if (FILE* out = std::fopen(file.c_str(), "w")) {
        std::fprintf(out, "%lu", GetCurrentProcessId());
        std::fclose(out);
    }
    return 0;
}
