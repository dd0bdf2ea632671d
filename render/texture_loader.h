// Loads a picture file into a new texture on the active texture unit.
#pragma once

#include "render/gl.h"

// Keeps the file's channels, flips the rows (v = 0 is the picture's bottom),
// filters linearly without mipmaps and clamps at the edges. The texture stays
// bound to the active unit. Returns its name, or 0 when the file cannot be
// loaded (then nothing is bound).
GLuint loadTexture(const char* path);
