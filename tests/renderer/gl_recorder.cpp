#include "gl_recorder.h"

#include <GL/gl.h>

std::vector<GlCall>& RecordedGlCalls() {
    static std::vector<GlCall> calls;
    return calls;
}

extern "C" {

void glBegin(GLenum mode) { RecordedGlCalls().push_back({GlCall::Begin, mode, 0, 0, 0}); }
void glEnd() { RecordedGlCalls().push_back({GlCall::End, 0, 0, 0, 0}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    RecordedGlCalls().push_back({GlCall::Color3f, 0, r, g, b});
}
void glTexCoord2d(GLdouble s, GLdouble t) {
    RecordedGlCalls().push_back({GlCall::TexCoord2d, 0, s, t, 0});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    RecordedGlCalls().push_back({GlCall::Vertex3f, 0, x, y, z});
}

}  // extern "C"
