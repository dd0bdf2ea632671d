// The page's recorded games, in a browser: the game playing or just played
// (or the one shown) to save or share, a recording from a file or a link
// shown as --replay shows one, and the page told how its showing goes.
#pragma once

// Each frame: the page is told once when the recording shown parts ways with
// the game ("replay diverged at step N") and once when it has played through.
void tellPageOfPlayback();
