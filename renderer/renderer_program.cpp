// GL state and callbacks of the renderer program.
#include "renderer/renderer_program.h"

#include "renderer/glut_api.h"

#include <GL/glu.h>

#include <cstdlib>

#include "renderer/dib_loader.h"
#include "renderer/particle_field.h"
#include "renderer/renderer_platform.h"
#include "shared/program_contract.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr unsigned char kEscape = 27;

FrameSlots frameSlots;

}  // namespace

FrameSlots::Clock::time_point FrameSlots::StartOf(Clock::time_point now) {
    const Clock::time_point start = next_ && now < *next_ ? *next_ : now;
    if (!next_ || start - *next_ >= kMinFrameInterval) next_ = start;
    *next_ += kMinFrameInterval;
    return start;
}

void CreateRendererWindow(int* argc, char** argv) {
    // GLUT takes the initial size before its initialisation.
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(kRendererWindowTitle);
    glutFullScreen();
    glutSetCursor(GLUT_CURSOR_NONE);
    RequestVsync();
    KeepWindowAboveOthers();
}

// Reads the glow bitmap and makes it the current texture. A bitmap that does
// not load ends the program with status 1; the loader has already told the
// user why and waited for OK.
void LoadTexture() {
    // Kept in a static: the image stays allocated (and reachable) for the
    // life of the process, or until a later call (the tests') replaces it.
    static RgbImage* image = nullptr;
    RgbImage* const loaded = LoadDibAsRgb(kGlowBitmapPath);
    if (loaded == nullptr) std::exit(1);
    if (image != nullptr) {
        std::free(image->data);
        std::free(image);
    }
    image = loaded;
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The loader's rows are tightly packed: with GL's default alignment of 4
    // a width whose row is not a multiple of 4 bytes would be read past the
    // end of the pixel block.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image->data);
}

void InitGL() {
    LoadTexture();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Aspect 1.0 whatever the window's shape; the camera's offset goes into
    // the projection matrix and the modelview matrix stays identity.
    gluPerspective(45.0, 1.0, 0.1, 100.0);
    glTranslatef(0.0f, 0.0f, -5.0f);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void OnDisplay() {
    const auto now = FrameSlots::Clock::now();
    const auto start = frameSlots.StartOf(now);
    if (start > now) SleepUntil(start);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawParticles();
    UpdateParticles();
    glutSwapBuffers();
}

void OnIdle() { glutPostRedisplay(); }

void OnKeyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (key == kEscape) std::exit(0);
}
