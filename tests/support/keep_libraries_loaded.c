/* Built into the game in sanitized builds only: libraries stay loaded until
 * the process ends, so that the system GL driver's own allocations, still
 * referenced from its data, are not reported as our leaks when the windowing
 * library unloads it at exit. A definition in the executable comes before the
 * C library's, with either compiler's sanitizer runtime. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
