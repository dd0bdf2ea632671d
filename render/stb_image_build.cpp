// A browser has no system library of the picture decoder: it is built in.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
