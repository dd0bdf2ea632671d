#version 430 core

in vec2 tc;
out vec4 color;

uniform sampler2D samp;
uniform int choice;

// The sprite sheets are drawn on a plain near-white background. Anything
// that light and that grey is background, JPEG ringing included, and is
// left out so the white field shows through and sprites overlap cleanly.
bool isBackground(vec3 c) {
    float lightest = max(c.r, max(c.g, c.b));
    float darkest = min(c.r, min(c.g, c.b));
    return darkest > 0.80 && lightest - darkest < 0.12;
}

void main(void) {
    if (choice == 1) {
        color = vec4(0.10, 0.45, 0.95, 1.0); // the Trap you steer: blue
        return;
    }
    if (choice == 3) {
        color = vec4(0.95, 0.55, 0.05, 1.0); // the Trap that steers itself: amber
        return;
    }
    vec4 texel = texture(samp, tc);
    if (isBackground(texel.rgb)) {
        discard;
    }
    if (choice == 2) {
        // An Undead that has sensed the Player glows red.
        texel.rgb = mix(texel.rgb, vec3(1.0, 0.05, 0.05), 0.55);
    }
    color = vec4(texel.rgb, 1.0);
}
