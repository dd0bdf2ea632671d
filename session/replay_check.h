// The replay check (--check): a recorded game played back through the
// session's steps with no window and no display, as fast as it goes.
#pragma once

#include <string>

// Plays the file back and says whether it matched, on standard output
// ("replay matches: N steps") or standard error: the exit status (0 matched,
// 1 diverged or unreadable).
int checkReplayFile(const std::string& path);
