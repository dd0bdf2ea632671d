// A browser has no system library of the sound decoder: it is built in.
#include <stb_vorbis.h>
