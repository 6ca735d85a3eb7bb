// GL calls of the particle field that go nowhere: what remains is the cost
// of the field's own work and of making the calls.
#include <GL/gl.h>

extern "C" {
void glBegin(GLenum) {}
void glEnd() {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glTexCoord2d(GLdouble, GLdouble) {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
}
