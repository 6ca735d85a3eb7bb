#pragma once

// The GLUT interface: freeglut natively, our own subset over WGL on Windows.
#ifdef _WIN32
#include "renderer/glut_win32.h"
#else
#include <GL/glut.h>
#endif
