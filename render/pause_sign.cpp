#include "render/pause_sign.h"

#include "render/gl.h"
#include "render/scene.h"
#include "render/shader_loader.h"

namespace {

// One quad over the whole field, made from the vertex number alone.
constexpr const char* vertexSource = R"(#version 430 core
out vec2 at; // in the field's units: x from -1 to 1, y from -2/3 to 2/3
void main(void) {
    vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1)) * 2.0 - 1.0;
    gl_Position = vec4(corner, 0.0, 1.0);
    at = corner * vec2(1.0, 2.0 / 3.0);
}
)";

// Premultiplied: the field is darkened by alpha, and the sign is laid on it.
constexpr const char* fragmentSource = R"(#version 430 core
in vec2 at;
out vec4 colour;

// How far outside a box p lies (negative inside).
float box(vec2 p, vec2 centre, vec2 halfSize) {
    vec2 d = abs(p - centre) - halfSize;
    return length(max(d, 0.0)) + min(max(d.x, d.y), 0.0);
}

void main(void) {
    float edge = fwidth(at.x); // a pixel: soft edges at any window size
    float bars = min(box(at, vec2(-0.065, 0.0), vec2(0.035, 0.13)), box(at, vec2(0.065, 0.0), vec2(0.035, 0.13)));
    float onBars = 1.0 - smoothstep(-edge, edge, bars);
    float onDisc = 1.0 - smoothstep(-edge, edge, length(at) - 0.25);
    vec4 dimmed = vec4(0.0, 0.0, 0.0, mix(0.45, 0.75, onDisc));
    colour = mix(dimmed, vec4(1.0), onBars);
}
)";

struct Sign {
    GLuint program = 0, vertexArray = 0;
} sign;

} // namespace

void resetPauseSign() { sign = {}; }

void drawPauseSign() {
    if (sign.program == 0) {
        sign.program = linkProgram(compileShaderText(vertexSource, GL_VERTEX_SHADER),
                                   compileShaderText(fragmentSource, GL_FRAGMENT_SHADER));
        glGenVertexArrays(1, &sign.vertexArray); // no attributes: the corners come from the vertex number
    }
    glUseProgram(sign.program);
    glBindVertexArray(sign.vertexArray);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisable(GL_BLEND);
    // Back as sprite drawing left them.
    glBindVertexArray(vertexArray);
    glUseProgram(renderingProgram);
}
