#include "render/sprites.h"

#include "game/game_state.h"
#include "game/motion.h"
#include "render/scene.h"

#include "render/gl.h"

#include <algorithm>

namespace {

// Sprites stream through the two shared buffers: each draw writes its
// vertices after those of the draw before, without waiting for the drawing
// (nothing a pending draw reads is overwritten), and draws from there. The
// buffers get fresh storage only when they are full, and the attributes point
// at them then, once. A sprite whose vertices and texture coordinates are
// already in the buffers, as most are from the frame before, is drawn from
// where they are. The uniform locations are looked up once per scene setup.
constexpr GLsizei streamVertices = 4096;

// Vertices and texture coordinates as written at `first`.
struct Written {
    float floats[20];
    size_t vertexFloats = 0, texCoordFloats = 0;
    GLint first = 0;
};

// All of it belongs to the buffers and program of one scene setup, and is
// forgotten at the next: another context's objects may well have the same names.
struct Stream {
    bool located = false; // the uniform locations below have been looked up
    GLint mMat = -1, samp = -1, choice = -1;
    int sampValue = -1, choiceValue = -1; // what samp and choice hold now
    GLint next = streamVertices;          // the first free vertex; full until set up
    float lastTexCoords[8] = {};          // the texture coordinates of the last textured draw
    Written written[64];                  // what the buffers hold, as far as it is remembered
    int writtenCount = 0;
} stream;

void useProgram() {
    if (!stream.located) {
        stream.located = true;
        stream.mMat = glGetUniformLocation(renderingProgram, "mMat");
        stream.samp = glGetUniformLocation(renderingProgram, "samp");
        stream.choice = glGetUniformLocation(renderingProgram, "choice");
    }
}

// The first of `count` free vertices in both buffers.
GLint reserve(GLsizei count) {
    if (stream.next + count > streamVertices) {
        for (GLuint attribute : {0u, 1u}) {
            const GLint size = attribute == 0 ? 3 : 2;
            glBindBuffer(GL_ARRAY_BUFFER, vertexBuffers[attribute]);
            glBufferData(GL_ARRAY_BUFFER, streamVertices * size * GLsizeiptr{sizeof(float)}, nullptr,
                         GL_STREAM_DRAW);
            glVertexAttribPointer(attribute, size, GL_FLOAT, GL_FALSE, 0, nullptr);
            glEnableVertexAttribArray(attribute);
        }
        stream.next = 0;
        stream.writtenCount = 0;
    }
    const GLint first = stream.next;
    stream.next += count;
    return first;
}

// Writes floats for vertices from `first` on, `size` floats a vertex, into the
// buffer. False if it could not be written (a lost context, no memory).
bool write(GLuint buffer, GLint first, GLint size, const float* floats, size_t count) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    return writeArrayBuffer(first * size * GLintptr{sizeof(float)},
                            static_cast<GLsizeiptr>(count * sizeof(float)), floats);
}

GLsizei vertexCount(const Entity& entity) { return static_cast<GLsizei>(entity.vertices.size() / 3); }

// The first vertex of a copy of these vertices and texture coordinates in the
// buffers; -1 if they could not be written.
GLint upload(const float* vertices, size_t vertexFloats, const float* texCoords, size_t texCoordFloats) {
    for (int i = 0; i < stream.writtenCount; ++i) {
        const Written& w = stream.written[i];
        if (w.vertexFloats == vertexFloats && w.texCoordFloats == texCoordFloats &&
            std::equal(vertices, vertices + vertexFloats, w.floats) &&
            std::equal(texCoords, texCoords + texCoordFloats, w.floats + vertexFloats)) {
            return w.first;
        }
    }
    const GLint first = reserve(static_cast<GLsizei>(vertexFloats / 3));
    if (!write(vertexBuffers[0], first, 3, vertices, vertexFloats) ||
        !write(vertexBuffers[1], first, 2, texCoords, texCoordFloats)) {
        return -1;
    }
    if (vertexFloats + texCoordFloats <= 20) {
        if (stream.writtenCount == 64) {
            stream.writtenCount = 0;
        }
        Written& w = stream.written[stream.writtenCount++];
        std::copy_n(vertices, vertexFloats, w.floats);
        std::copy_n(texCoords, texCoordFloats, w.floats + vertexFloats);
        w.vertexFloats = vertexFloats, w.texCoordFloats = texCoordFloats, w.first = first;
    }
    return first;
}

} // namespace

void resetSpriteStream() { stream = Stream{}; }

void setChoice(int choice) {
    useProgram();
    if (stream.choiceValue != choice) {
        glUniform1i(stream.choice, choice);
        stream.choiceValue = choice;
    }
}

void drawEntity(const Entity& entity, float along) {
    useProgram();
    glUniformMatrix4fv(stream.mMat, 1, GL_FALSE, modelAlong(entity, along).data());
    if (stream.sampValue != entity.textureUnit) {
        glUniform1i(stream.samp, entity.textureUnit);
        stream.sampValue = entity.textureUnit;
    }
    if (const GLint first = uploadQuad(entity); first >= 0) {
        glDrawArrays(GL_TRIANGLE_STRIP, first, vertexCount(entity));
    }
}

GLint uploadQuad(const Entity& entity) {
    std::copy_n(entity.texCoords.begin(), std::min<size_t>(8, entity.texCoords.size()), stream.lastTexCoords);
    return upload(entity.vertices.data(), entity.vertices.size(), entity.texCoords.data(),
                  entity.texCoords.size());
}

void drawTrap(float along) {
    useProgram();
    const Trap& trap = *theTrap;
    if (trap.flag == 0) {
        setChoice(ChoiceKeyTrap);
    } else if (trap.flag == 1) {
        setChoice(ChoiceSelfTrap);
    }
    glUniformMatrix4fv(stream.mMat, 1, GL_FALSE, modelAlong(trap, along).data());
    // Untextured: its texture coordinates stay those of the draw before.
    const size_t texCoordFloats = std::min<size_t>(8, 2 * static_cast<size_t>(vertexCount(trap)));
    if (const GLint first =
            upload(trap.vertices.data(), trap.vertices.size(), stream.lastTexCoords, texCoordFloats);
        first >= 0) {
        glDrawArrays(GL_TRIANGLE_STRIP, first, vertexCount(trap));
    }
    setChoice(ChoiceTextured);
    if (trap.projectile) {
        drawEntity(*trap.projectile, along);
    }
}
