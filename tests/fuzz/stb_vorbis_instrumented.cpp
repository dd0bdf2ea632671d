// The system's stb_vorbis decoder, compiled into the sound fuzzer so that the
// fuzzer sees its branches and AddressSanitizer checks its memory. Its
// definitions take the place of the uninstrumented shared library's.
#include <stb_vorbis.h>
