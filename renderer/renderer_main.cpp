// The renderer program: a full-screen GLUT window titled "Glintra_VC" that
// animates the particle field with the glow bitmap as its sprite texture
// until Escape is pressed.
#include "renderer/glut_api.h"

#include <cstdlib>
#include <ctime>

#include "renderer/particle_field.h"
#include "renderer/renderer_program.h"

int main(int argc, char** argv) {
    CreateRendererWindow(&argc, argv);
    glutKeyboardFunc(OnKeyboard);
    glutDisplayFunc(OnDisplay);
    glutIdleFunc(OnIdle);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    InitGL();
    InitParticles();
    glutMainLoop();
    return 0;
}
