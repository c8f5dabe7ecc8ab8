#pragma once

// OpenGL's headers on Windows expect the system's calling-convention macros to be defined.
#ifdef _WIN32
#include <windows.h>
#endif

#include <GL/gl.h>
#include <GL/glu.h>
