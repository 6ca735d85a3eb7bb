#include "gl_recorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <thread>

#include "renderer/renderer_platform.h"

std::vector<GlCall>& RecordedGlCalls() {
    static std::vector<GlCall> calls;
    return calls;
}

std::function<void()>& OnSwapBuffers() {
    static std::function<void()> hook;
    return hook;
}

namespace {

GlCall& Record(GlCall::Kind kind, unsigned mode = 0) {
    GlCall call;
    call.kind = kind;
    call.mode = mode;
    call.at = std::chrono::steady_clock::now();
    RecordedGlCalls().push_back(call);
    return RecordedGlCalls().back();
}

}  // namespace

void RequestVsync() { Record(GlCall::RequestVsync); }
void KeepWindowAboveOthers() { Record(GlCall::KeepWindowAboveOthers); }
void SleepUntil(std::chrono::steady_clock::time_point deadline) {
    Record(GlCall::SleepUntil).until = deadline;
    std::this_thread::sleep_until(deadline);
}

extern "C" {

void glBegin(GLenum mode) { Record(GlCall::Begin, mode); }
void glEnd() { Record(GlCall::End); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    GlCall& call = Record(GlCall::Color3f);
    call.a = r, call.b = g, call.c = b;
}
void glTexCoord2d(GLdouble s, GLdouble t) {
    GlCall& call = Record(GlCall::TexCoord2d);
    call.a = s, call.b = t;
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    GlCall& call = Record(GlCall::Vertex3f);
    call.a = x, call.b = y, call.c = z;
}

void glBindTexture(GLenum target, GLuint texture) {
    Record(GlCall::BindTexture, target).e1 = texture;
}
void glTexParameteri(GLenum target, GLenum name, GLint value) {
    GlCall& call = Record(GlCall::TexParameteri, target);
    call.e1 = name, call.e2 = static_cast<unsigned>(value);
}
void glPixelStorei(GLenum name, GLint value) { Record(GlCall::PixelStorei, name).a = value; }
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    GlCall& call = Record(GlCall::TexImage2D, target);
    call.a = level, call.b = width, call.c = height, call.d = border;
    call.e1 = static_cast<unsigned>(internalFormat), call.e2 = format, call.e3 = type;
    if (pixels != nullptr && width > 0 && height > 0) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        call.pixels.assign(bytes, bytes + static_cast<size_t>(width) * height * 3);
    }
}
void glEnable(GLenum cap) { Record(GlCall::Enable, cap); }
void glBlendFunc(GLenum source, GLenum destination) {
    Record(GlCall::BlendFunc, source).e1 = destination;
}
void glMatrixMode(GLenum mode) { Record(GlCall::MatrixMode, mode); }
void glLoadIdentity() { Record(GlCall::LoadIdentity); }
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    GlCall& call = Record(GlCall::Perspective);
    call.a = fovy, call.b = aspect, call.c = zNear, call.d = zFar;
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    GlCall& call = Record(GlCall::Translatef);
    call.a = x, call.b = y, call.c = z;
}
void glShadeModel(GLenum mode) { Record(GlCall::ShadeModel, mode); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf alpha) {
    GlCall& call = Record(GlCall::ClearColor);
    call.a = r, call.b = g, call.c = b, call.d = alpha;
}
void glClear(GLbitfield mask) { Record(GlCall::Clear, mask); }

// GLUT, with freeglut's signatures.
void glutInitWindowSize(int width, int height) {
    GlCall& call = Record(GlCall::InitWindowSize);
    call.a = width, call.b = height;
}
void glutInit(int*, char**) { Record(GlCall::Init); }
void glutInitDisplayMode(unsigned int mode) { Record(GlCall::InitDisplayMode, mode); }
int glutCreateWindow(const char* title) {
    Record(GlCall::CreateWindow).text = title;
    return 1;
}
void glutFullScreen() { Record(GlCall::FullScreen); }
void glutSetCursor(int cursor) { Record(GlCall::SetCursor, static_cast<unsigned>(cursor)); }
void glutSwapBuffers() {
    Record(GlCall::SwapBuffers);
    if (OnSwapBuffers()) OnSwapBuffers()();
}
void glutPostRedisplay() { Record(GlCall::PostRedisplay); }

}  // extern "C"
