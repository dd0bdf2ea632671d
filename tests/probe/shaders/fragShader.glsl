#version 430 core
// Paints what the game sent for a draw: red codes the choice and the texture
// unit given to samp (read here as the plain int it is set as), green and
// blue the texture coordinate.
in vec2 tc;
out vec4 color;

uniform int samp;
uniform int choice;

void main(void) {
    color = vec4(float(choice * 8 + samp + 1) / 32.0, tc, 1.0);
}
