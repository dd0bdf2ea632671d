// Where the field shows in the window: always whole (x -1 to 1, y -2/3 to
// 2/3), centred, at the largest size that fits the framebuffer, never
// stretched; the rest of the window shows black bars, so the field's edges
// can be seen.
#pragma once

inline constexpr float fieldAspect = 1.5f; // 3 : 2

struct FieldArea {
    int x = 0, y = 0, width = 0, height = 0; // in framebuffer pixels, from the bottom left
};

// The largest 3 : 2 area centred in a framebuffer of that size; empty for an
// empty (minimised) framebuffer.
FieldArea fieldArea(int framebufferWidth, int framebufferHeight);

// Makes the field's area of the framebuffer the GL viewport.
void fitFieldToFramebuffer(int framebufferWidth, int framebufferHeight);

// Clears the field to white and, where the window's shape leaves bars beside
// or above it, the bars to black. Colour only: nothing ever tests depth.
void clearField();
