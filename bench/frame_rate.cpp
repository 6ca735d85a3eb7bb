// Frames per second of the real GL path, beside a program that only clears
// and swaps at the same size.
//
//   glintra-frame-rate full|clear [seconds]
//
// "full" runs the renderer's own set-up and display callback (the glow bitmap
// must be in place); "clear" clears and swaps only. Prints one line:
// "<mode> <width>x<height> <frames> frames in <s> s: <fps> fps".
#include "renderer/glut_api.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "renderer/particle_field.h"
#include "renderer/renderer_program.h"

namespace {

using Clock = std::chrono::steady_clock;

bool fullPath = true;
double seconds = 10.0;
long frames = 0;
Clock::time_point start;

void ClearOnly() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void CountedDisplay() {
    if (frames == 0) start = Clock::now();  // the first frame pays for start-up
    fullPath ? OnDisplay() : ClearOnly();
    ++frames;
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (elapsed >= seconds) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        std::printf("%s %dx%d %ld frames in %.1f s: %.1f fps\n", fullPath ? "full" : "clear",
                    viewport[2], viewport[3], frames - 1, elapsed, (frames - 1) / elapsed);
        std::fflush(stdout);
        std::exit(0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || (std::strcmp(argv[1], "full") != 0 && std::strcmp(argv[1], "clear") != 0)) {
        std::fprintf(stderr, "usage: %s full|clear [seconds]\n", argv[0]);
        return 2;
    }
    fullPath = std::strcmp(argv[1], "full") == 0;
    if (argc > 2) seconds = std::atof(argv[2]);

    CreateRendererWindow(&argc, argv);
    glutKeyboardFunc(OnKeyboard);
    glutDisplayFunc(CountedDisplay);
    glutIdleFunc(OnIdle);
    std::srand(1);
    if (fullPath) {
        InitGL();
        InitParticles();
    }
    glutMainLoop();
    return 0;
}
