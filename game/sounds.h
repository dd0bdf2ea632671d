// What the game heard: the steps and key events note each sound their events
// make, and the sound floor above takes them away and plays them. The game
// itself makes no sound.
#pragma once

enum class Sound : int {
    GameStarted,     // S or A began a game
    ShotFired,       // the Player's shot
    UndeadStunned,   // the shot found an Undead
    BombDropped,     // the Trap let its bomb go
    UndeadDestroyed, // a bomb found an Undead: its Explosion
    PlayerCaught,    // by an Undead or a bomb: the game is lost
    WaveCleared,     // the last Undead is gone: the game is won
};
inline constexpr int soundCount = 7;

// The sounds noted since the floor last took them, oldest first. More than a
// step or a key could ever make; any beyond are dropped.
struct HeardSounds {
    static constexpr int capacity = 16;
    Sound sounds[capacity] = {};
    int count = 0;
};
extern HeardSounds heardSounds;

void noteSound(Sound sound);
