#include "app/frame.h"

#include "game/game_state.h"

#include <GL/glew.h>

void drawFrame(double) {
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}
