// Time from a key press, made by the X server's test extension, to the first change of the screen
// in a given rectangle, polled as fast as the server answers. Each round presses the first key,
// then the second (when given), each released 150 ms later; with a reset key, that key is pressed
// twice before every round (the power switch off and on again: a fresh game, the ship in its place).
//
// Usage: key_to_picture X Y WIDTH HEIGHT ROUNDS KEY [SECOND_KEY [RESET_KEY]]   (uses $DISPLAY)
// Prints: median, 10th and 90th percentile in milliseconds, and the presses that changed nothing
// within 200 ms.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static unsigned long hashOf(Display *d, Window root, int x, int y, int w, int h) {
    XImage *image = XGetImage(d, root, x, y, (unsigned)w, (unsigned)h, AllPlanes, ZPixmap);
    unsigned long sum = 0;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) sum = sum * 31 + XGetPixel(image, col, row);
    XDestroyImage(image);
    return sum;
}

static void tap(Display *d, KeyCode key) {
    XTestFakeKeyEvent(d, key, True, 0);
    XTestFakeKeyEvent(d, key, False, 0);
    XFlush(d);
}

static int byValue(const void *a, const void *b) {
    const double x = *(const double *)a, y = *(const double *)b;
    return x < y ? -1 : x > y;
}

int main(int argc, char **argv) {
    if (argc < 7) {
        fprintf(stderr, "usage: %s X Y WIDTH HEIGHT ROUNDS KEY [SECOND_KEY [RESET_KEY]]\n", argv[0]);
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) return 1;
    const Window root = DefaultRootWindow(d);
    const int x = atoi(argv[1]), y = atoi(argv[2]), w = atoi(argv[3]), h = atoi(argv[4]);
    const int rounds = atoi(argv[5]) > 0 && atoi(argv[5]) <= 500 ? atoi(argv[5]) : 20;
    KeyCode keys[2];
    const int perRound = argc > 7 ? 2 : 1;
    for (int k = 0; k < perRound; ++k) keys[k] = XKeysymToKeycode(d, XStringToKeysym(argv[6 + k]));
    const KeyCode reset = argc > 8 ? XKeysymToKeycode(d, XStringToKeysym(argv[8])) : 0;
    static double times[1000];
    int measured = 0, unchanged = 0;
    for (int round = 0; round < rounds; ++round) {
        if (reset) {
            tap(d, reset);
            tap(d, reset);
            usleep(300000);
        }
        for (int k = 0; k < perRound; ++k) {
            const unsigned long before = hashOf(d, root, x, y, w, h);
            const double start = nowMs();
            XTestFakeKeyEvent(d, keys[k], True, 0);
            XFlush(d);
            double at = start;
            while (hashOf(d, root, x, y, w, h) == before && (at = nowMs()) - start < 200) {}
            if (at - start < 200)
                times[measured++] = at - start;
            else
                ++unchanged;
            XTestFakeKeyEvent(d, keys[k], False, 0);
            XFlush(d);
            usleep(150000);
        }
    }
    qsort(times, (size_t)measured, sizeof times[0], byValue);
    if (measured == 0) {
        printf("no change seen (%d presses)\n", unchanged);
        return 1;
    }
    printf("median %.2f ms p10 %.2f p90 %.2f unchanged %d\n", times[measured / 2], times[measured / 10],
           times[measured * 9 / 10], unchanged);
    return 0;
}
