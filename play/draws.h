// The game's random draws, seeded and counted. On the desktop they are the C
// library's rand(), seeded with srand (whatever stands in front of those two),
// and that generator is the game's alone: any other code in the process that
// calls rand(), srand() or the random() family (a sound server's client, a
// driver, a plugin, on any thread) is handed a generator of its own, so
// nothing but the game moves the game's numbers. In a browser, whose C library
// draws other numbers, the game's own generator, which draws Debian's. Counted,
// so that a recording can say where the draws stand when its game begins.
#pragma once

// Seeds the draws afresh; none counted yet. The game draws through them from now on.
void seedDraws(unsigned seed);
// Draws that many, as a recording's game was begun after (a week of draws or so at most).
void skipDraws(long long count);
// The seed, and how many the game has drawn since.
unsigned drawsSeed();
long long drawsMade();
