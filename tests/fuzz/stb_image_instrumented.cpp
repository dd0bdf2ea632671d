// The system's stb_image decoder, compiled into the image fuzzer so that the
// fuzzer sees its branches and AddressSanitizer checks its memory. Its
// definitions take the place of the uninstrumented shared library's.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
