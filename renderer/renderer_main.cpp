// The renderer program: a full-screen GLUT window titled "Glintra_VC" that
// animates the particle field with the glow bitmap as its sprite texture
// until Escape is pressed.
#include "renderer/glut_api.h"

#include <cstdlib>
#include <ctime>

#include "renderer/particle_field.h"
#include "renderer/renderer_program.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

}  // namespace
int main(int argc, char** argv) {
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Glintra_VC");
    glutFullScreen();
    glutSetCursor(GLUT_CURSOR_NONE);
    glutKeyboardFunc(OnKeyboard);
    glutDisplayFunc(OnDisplay);
    glutIdleFunc(OnIdle);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    InitGL();
    InitParticles();
    glutMainLoop();
    return 0;
}
