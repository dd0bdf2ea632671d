#include "render/viewport.h"

#include <GL/glew.h>

#include <algorithm>

FieldArea fieldArea(int framebufferWidth, int framebufferHeight) {
    // Whole pixels, 3 : 2: three units wide for every two high.
    const int unit = std::min(std::max(framebufferWidth, 0) / 3, std::max(framebufferHeight, 0) / 2);
    const int width = 3 * unit, height = 2 * unit;
    return {(framebufferWidth - width) / 2, (framebufferHeight - height) / 2, width, height};
}

void fitFieldToFramebuffer(int framebufferWidth, int framebufferHeight) {
    const FieldArea area = fieldArea(framebufferWidth, framebufferHeight);
    glViewport(area.x, area.y, area.width, area.height);
}
