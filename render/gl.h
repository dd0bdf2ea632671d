// The GL the game draws with: OpenGL 4.3 through GLEW on the desktop, or
// OpenGL ES 3.0 (WebGL 2) in a browser, where every shader of ours, written
// for the desktop, is made an ES one as it is built (shader_loader.h).
#pragma once

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <GL/glew.h>
#endif
