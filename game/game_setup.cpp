#include "game/game_setup.h"

#include "entity/kinds.h"
#include "game/game_state.h"

#include <GLFW/glfw3.h>

std::unique_ptr<Mascot> createMascot() {
    // Before glfwInit the clock reads 0, so the first tile shows from time zero.
    const double now = glfwGetTime();
    auto mascot = std::make_unique<Mascot>(mascotStartX, mascotStartY, spriteSize, spriteSize, undeadSheetUnit,
                                           mascotFirstTile.left, mascotFirstTile.top, mascotFirstTile.width,
                                           mascotFirstTile.height);
    mascot->frameTimer = now;
    mascot->frameIndex = 0;
    return mascot;
}

// Made during static initialisation, from constants only, so the order in
// which files initialise cannot hand it a zero matrix.
std::unique_ptr<Mascot> theMascot = createMascot();
