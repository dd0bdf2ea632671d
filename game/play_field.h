// The play field's update, once per frame while playing: the Undead move,
// the Player's shot flies and stuns, the Trap's bomb falls and destroys,
// Undead and bombs catch the Player, and in A games the Trap steers itself.
#pragma once

#include "entity/entity.h"

#include <memory>
#include <utility>
#include <vector>

void updatePlayField();

// Ends the game as lost: an Explosion where the Player stood. Only once.
void explodePlayer();

// The self-steering Trap: every 7th update that finds a stunned Undead, it
// steps towards the nearest in x, or drops its bomb once close enough.
void steerTrap();

// Takes every Finished entry out of the list, keeping the others' order, and
// destroys it once it is out.
template <class Kind> void removeFinished(std::vector<std::unique_ptr<Kind>>& list) {
    for (auto it = list.begin(); it != list.end();) {
        if ((*it)->status == Finished) {
            std::unique_ptr<Kind> gone = std::move(*it);
            it = list.erase(it);
        } else {
            ++it;
        }
    }
}
