// The GL the game draws with: OpenGL 4.3 through GLEW on the desktop, or
// OpenGL ES 3.0 (WebGL 2) in a browser, where every shader of ours, written
// for the desktop, is made an ES one as it is built (shader_loader.h).
#pragma once

#include <cstddef>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <GL/glew.h>
#endif

// Writes bytes into the bound array buffer from offset on, without waiting
// for draws that read other parts of it. False if it could not (a lost
// context, no memory). WebGL maps no buffers: there it is a plain copy.
inline bool writeArrayBuffer(GLintptr offset, GLsizeiptr bytes, const void* data) {
#ifdef __EMSCRIPTEN__
    glBufferSubData(GL_ARRAY_BUFFER, offset, bytes, data);
    return true;
#else
    void* at = glMapBufferRange(GL_ARRAY_BUFFER, offset, bytes,
                                GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
    if (!at) {
        return false;
    }
    std::memcpy(at, data, static_cast<std::size_t>(bytes));
    return glUnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE;
#endif
}
