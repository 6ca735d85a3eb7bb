#pragma once

// GLUT for the Windows build: the part of the GLUT interface that the renderer
// calls, with GLUT's names, constants and behaviour, over plain Win32 and WGL.
// It holds one window per process. The native build uses freeglut instead;
// renderer/glut_api.h picks one or the other.
//
// Beyond classic GLUT it offers two freeglut extensions for tests:
// glutMainLoopEvent (one round of the main loop) and glutGetWindow.

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

// exit(), which the glutInit and glutCreateWindow wrappers below hand over.
#include <stdlib.h>

// Display mode bits (glutInitDisplayMode).
#define GLUT_RGB 0
#define GLUT_RGBA GLUT_RGB
#define GLUT_INDEX 1
#define GLUT_SINGLE 0
#define GLUT_DOUBLE 2
#define GLUT_ALPHA 8
#define GLUT_DEPTH 16
#define GLUT_STENCIL 32

// Cursors (glutSetCursor). The other GLUT shapes show the arrow.
#define GLUT_CURSOR_RIGHT_ARROW 0
#define GLUT_CURSOR_LEFT_ARROW 1
#define GLUT_CURSOR_WAIT 7
#define GLUT_CURSOR_TEXT 8
#define GLUT_CURSOR_CROSSHAIR 9
#define GLUT_CURSOR_INHERIT 100
#define GLUT_CURSOR_NONE 101
#define GLUT_CURSOR_FULL_CROSSHAIR 102

// State queries (glutGet); anything else gives -1.
#define GLUT_WINDOW_WIDTH 102
#define GLUT_WINDOW_HEIGHT 103
#define GLUT_SCREEN_WIDTH 200
#define GLUT_SCREEN_HEIGHT 201
#define GLUT_INIT_WINDOW_WIDTH 502
#define GLUT_INIT_WINDOW_HEIGHT 503
#define GLUT_INIT_DISPLAY_MODE 504

#ifdef __cplusplus
extern "C" {
#endif

// Initial client size of the window; may be called before glutInit.
void glutInitWindowSize(int width, int height);
// Display mode of the window still to be created (GLUT_RGB | GLUT_DOUBLE ...).
void glutInitDisplayMode(unsigned int mode);

// glutInit and glutCreateWindow take the program's own exit function, which
// the toolkit calls whenever it ends the program (window closed: status 0;
// fatal error: status 1), so that the program's atexit handlers run. Programs
// call the plain names, which the macros below map onto these.
void __glutInitWithExit(int* argcp, char** argv, void (*exitfunc)(int));
int __glutCreateWindowWithExit(const char* title, void (*exitfunc)(int));

// Makes the window cover the primary monitor: no border or caption.
void glutFullScreen(void);
// GLUT_CURSOR_NONE hides the cursor over the window's client area.
void glutSetCursor(int cursor);

void glutDisplayFunc(void (*func)(void));
void glutKeyboardFunc(void (*func)(unsigned char key, int x, int y));
void glutIdleFunc(void (*func)(void));

// Asks for one call of the display callback in the next round of the loop.
void glutPostRedisplay(void);
void glutSwapBuffers(void);
// Runs the rounds of the event loop for ever; the program ends inside it.
void glutMainLoop(void);

// freeglut extensions: one round of glutMainLoop (pending messages, then a
// posted redisplay, then the idle callback); the current window's number
// (1, or 0 before it exists).
void glutMainLoopEvent(void);
int glutGetWindow(void);
int glutGet(GLenum state);

#ifdef __cplusplus
}
#endif

// The same mapping as GLUT's own header on Windows: the plain names pass the
// program's exit along. A toolkit in a DLL may sit on another C runtime than
// the program, and only the program's exit runs the program's atexit list.
static inline void glutInit_ATEXIT_HACK(int* argcp, char** argv) {
    __glutInitWithExit(argcp, argv, exit);
}
static inline int glutCreateWindow_ATEXIT_HACK(const char* title) {
    return __glutCreateWindowWithExit(title, exit);
}
#define glutInit glutInit_ATEXIT_HACK
#define glutCreateWindow glutCreateWindow_ATEXIT_HACK
