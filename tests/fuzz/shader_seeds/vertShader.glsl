#version 430 core

layout (location = 0) in vec3 position;
layout (location = 1) in vec2 texCoord;

uniform mat4 mMat;
uniform mat4 vMat;
uniform mat4 pMat;

out vec2 tc;

void main(void) {
    gl_Position = pMat * vMat * mMat * vec4(position, 1.0);
    tc = texCoord;
}
