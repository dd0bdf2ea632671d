#version 430 core
// The tests' probe: every sprite drawn three times its size, so that sprites
// the game keeps apart overlap, and the top one can be told at a pixel.
layout (location = 0) in vec3 position;
layout (location = 1) in vec2 texCoord;

uniform mat4 mMat;
uniform mat4 vMat;
uniform mat4 pMat;

out vec2 tc;

void main(void) {
    gl_Position = pMat * vMat * mMat * vec4(position * 3.0, 1.0);
    tc = texCoord;
}
