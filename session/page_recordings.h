// The page's recorded games, in a browser: the game playing or just played
// (or the one shown, or a best's) to save or share, a recording from a file,
// a link, the bests or the world's board shown as --replay shows one, and the
// page told how its showing goes, when the bests change and when a game is
// won (for the world's board).
#pragma once

// Each frame: the page is told once when the recording shown parts ways with
// the game ("replay diverged at step N") and once when it has played through.
void tellPageOfPlayback();

// Each frame: the page is told when the bests have changed (and once at the
// start), to show them again.
void tellPageOfBests();

// Each frame: the page is told of a game just won, its mode and its time, to
// offer it to the world's board.
void tellPageOfWins();
