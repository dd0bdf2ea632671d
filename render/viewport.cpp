#include "render/viewport.h"

#include "render/gl.h"

#include <algorithm>

namespace {

FieldArea field;
bool barsShow = false; // the field leaves part of the framebuffer uncovered

} // namespace

FieldArea fieldArea(int framebufferWidth, int framebufferHeight) {
    // Whole pixels, 3 : 2: three units wide for every two high.
    const int unit = std::min(std::max(framebufferWidth, 0) / 3, std::max(framebufferHeight, 0) / 2);
    const int width = 3 * unit, height = 2 * unit;
    return {(framebufferWidth - width) / 2, (framebufferHeight - height) / 2, width, height};
}

void fitFieldToFramebuffer(int framebufferWidth, int framebufferHeight) {
    field = fieldArea(framebufferWidth, framebufferHeight);
    barsShow = field.width != framebufferWidth || field.height != framebufferHeight;
    glViewport(field.x, field.y, field.width, field.height);
}

void clearField() {
    if (barsShow) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(field.x, field.y, field.width, field.height);
        glEnable(GL_SCISSOR_TEST);
    }
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (barsShow) {
        glDisable(GL_SCISSOR_TEST);
    }
}
