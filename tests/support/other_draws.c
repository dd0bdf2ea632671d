/* Preloaded into the real game: another library drawing from the C library's
 * generator, as a sound server's client or a driver may, on a thread of its
 * own all through the game: srand(), rand() and random(), a thousand times a
 * second. */
#define _GNU_SOURCE
#include <pthread.h>
#include <stdlib.h>
#include <time.h>

static void* draw(void* unused) {
    (void)unused;
    const struct timespec pause = {0, 1000000};
    for (unsigned n = 0;; ++n) {
        if (n % 100 == 0) {
            srand(n);
        }
        (void)rand();
        (void)random();
        clock_nanosleep(CLOCK_MONOTONIC, 0, &pause, NULL); /* nanosleep is the pretend player's */
    }
    return NULL;
}

__attribute__((constructor)) static void startDrawing(void) {
    pthread_t thread;
    if (pthread_create(&thread, NULL, draw, NULL) == 0) {
        pthread_detach(thread);
    }
}
