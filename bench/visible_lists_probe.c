/*
 * The helper of visible_lists.sh: watches a running program on an X display (its repaints through
 * the DAMAGE extension, its processor time through /proc), types into it through the XTEST
 * extension, as a user at the keyboard would, and asks its windows to repaint a spot.
 *
 *   visible_lists_probe time WINDOW PID QUIET_MS KEY     (WINDOW: an id, or "root" for all)
 *       Presses KEY ("space", "alt+s", "ctrl+shift+Tab"), then waits until the program has not
 *       worked (kept the processor busy for 60 ms and more) for QUIET_MS; prints the seconds
 *       from the key to the end of its last work.
 *   visible_lists_probe pauses WINDOW PID QUIET_MS KEY X Y
 *       Presses KEY, then asks WINDOW (an id) over and over, one request at a time and at most
 *       one every 50 ms, to repaint the 8 x 8 pixels at X, Y (window coordinates; a spot the
 *       program never paints by itself) until the program has not worked for QUIET_MS. A request
 *       is an Expose event made by the X server (XClearArea; the window has no background, so
 *       nothing is drawn for it): only the program's event loop answers it, by putting the spot
 *       from its backing store back on the window, which DAMAGE reports. A paint of the window
 *       that leaves the spot alone (a progress bar repainted from inside a long run) is no
 *       answer. Prints the longest time from a request to its answer in milliseconds, then the
 *       seconds until the work settled. A request still unanswered 2 s after the work settled
 *       (or after 600 s) is a pause of at least its age: its time is printed with a "+" after
 *       it ("2412+").
 *
 * KEY "-" presses nothing (the work was started by other means).
 */
#define _GNU_SOURCE
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

/* Processor time of every thread of `pid`, in nanoseconds. */
static uint64_t cpu_ns(int pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", pid);
    DIR *dir = opendir(path);
    if (!dir)
        return 0;
    uint64_t sum = 0;
    struct dirent *e;
    while ((e = readdir(dir))) {
        if (e->d_name[0] == '.')
            continue;
        char stat[320];
        snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", pid, e->d_name);
        FILE *f = fopen(stat, "r");
        if (!f)
            continue;
        unsigned long long run = 0;
        if (fscanf(f, "%llu", &run) == 1)
            sum += run;
        fclose(f);
    }
    closedir(dir);
    return sum;
}

/* Presses and releases a key combination such as "alt+s" or "shift+Tab". */
static void press(Display *dpy, const char *combo)
{
    char buf[128];
    snprintf(buf, sizeof buf, "%s", combo);
    KeyCode codes[8];
    int n = 0;
    for (char *part = strtok(buf, "+"); part && n < 8; part = strtok(NULL, "+")) {
        const char *name = part;
        if (!strcmp(part, "alt"))
            name = "Alt_L";
        else if (!strcmp(part, "ctrl"))
            name = "Control_L";
        else if (!strcmp(part, "shift"))
            name = "Shift_L";
        KeySym sym = XStringToKeysym(name);
        if (sym == NoSymbol) {
            fprintf(stderr, "unknown key %s\n", name);
            exit(2);
        }
        codes[n++] = XKeysymToKeycode(dpy, sym);
    }
    for (int i = 0; i < n; ++i)
        XTestFakeKeyEvent(dpy, codes[i], True, CurrentTime);
    for (int i = n - 1; i >= 0; --i)
        XTestFakeKeyEvent(dpy, codes[i], False, CurrentTime);
    XFlush(dpy);
}

/* The spot asked to be repainted, in window coordinates. */
typedef struct {
    int x, y;
} Spot;
enum { SpotSize = 8 };
/* How long a request may wait for its answer once the program has settled, and how long the
 * whole watch may take. */
enum { NoAnswerMs = 2000, LongestRunMs = 600000 };

static int touches(const XRectangle *r, Spot spot)
{
    return r->x < spot.x + SpotSize && spot.x < r->x + r->width && r->y < spot.y + SpotSize
        && spot.y < r->y + r->height;
}

/* Reads the events on their way; returns whether a repaint touched the spot (any repaint when
 * `spot` is NULL). */
static int drain(Display *dpy, int damageEvent, const Spot *spot)
{
    int touched = 0;
    while (XPending(dpy)) {
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type != damageEvent + XDamageNotify)
            continue;
        const XDamageNotifyEvent *d = (const XDamageNotifyEvent *)&ev;
        if (!spot || touches(&d->area, *spot))
            touched = 1;
    }
    return touched;
}

/* Asks the X server for an Expose event of the spot, which only the program answers. */
static void ask(Display *dpy, Window window, Spot spot)
{
    XClearArea(dpy, window, spot.x, spot.y, SpotSize, SpotSize, True);
    XFlush(dpy);
}

int main(int argc, char **argv)
{
    const int ticking = argc > 1 && !strcmp(argv[1], "pauses");
    if (argc < 6 || (strcmp(argv[1], "time") && !ticking) || (ticking && (argc < 8 || !strcmp(argv[2], "root")))) {
        fprintf(stderr, "usage: %s time WINDOW PID QUIET_MS KEY\n"
                        "       %s pauses WINDOW PID QUIET_MS KEY X Y\n",
                argv[0], argv[0]);
        return 2;
    }
    const int pid = atoi(argv[3]);
    const double quiet = atof(argv[4]);
    const char *key = argv[5];
    const Spot spot = {ticking ? atoi(argv[6]) : 0, ticking ? atoi(argv[7]) : 0};
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "no display\n");
        return 2;
    }
    int damageEvent, damageError, xtestEvent, xtestError, major, minor;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError)
        || !XTestQueryExtension(dpy, &xtestEvent, &xtestError, &major, &minor)) {
        fprintf(stderr, "the display lacks DAMAGE or XTEST\n");
        return 2;
    }
    /* "root": every window of the display (the program's windows come and go). */
    const Window window = strcmp(argv[2], "root") ? (Window)strtoul(argv[2], NULL, 0) : DefaultRootWindow(dpy);
    /* Every drawing on the window is reported with its rectangle, so that an answer to a request
     * can be told from a repaint elsewhere in the window. */
    Damage damage = XDamageCreate(dpy, window, ticking ? XDamageReportRawRectangles : XDamageReportNonEmpty);
    XSync(dpy, False);
    /* Repaints already on their way are not this run's. */
    for (double until = now_ms() + 30; now_ms() < until;) {
        if (drain(dpy, damageEvent, NULL) && !ticking)
            XDamageSubtract(dpy, damage, None, None);
        poll(NULL, 0, 2);
    }
    /* The spot must answer while the program is idle: else it is covered by another window, or
     * not the program's. */
    if (ticking) {
        ask(dpy, window, spot);
        int answered = 0;
        for (double until = now_ms() + 2000; !answered && now_ms() < until; poll(NULL, 0, 2))
            answered = drain(dpy, damageEvent, &spot);
        if (!answered) {
            fprintf(stderr, "the spot %d,%d of window %s is not repainted on request (covered?)\n", spot.x,
                    spot.y, argv[2]);
            return 1;
        }
    }

    /* VISIBLE_LISTS_VERBOSE=1: every pause over 50 ms on standard error, with its time. */
    const int verbose = getenv("VISIBLE_LISTS_VERBOSE") != NULL;
    const double start = now_ms();
    if (strcmp(key, "-"))
        press(dpy, key);
    /* Work is the processor busy for a stretch: more than a quarter of every 10 ms (a loaded
     * machine shares it out) for 60 ms and more. Shorter bursts (a clock label ticking over,
     * the answer to a request) are not work. */
    double lastWork = start;
    uint64_t lastCpu = cpu_ns(pid);
    double cpuAt = start;
    double busySince = -1;
    double nextAsk = start + 50;
    int asked = 0;
    double askedAt = -1; /* the request not yet answered */
    double longest = 0;
    int unanswered = 0; /* the longest is a request that got no answer */
    for (;;) {
        const double t = now_ms();
        if (ticking) {
            if (drain(dpy, damageEvent, &spot) && askedAt >= 0) {
                if (t - askedAt > longest) {
                    longest = t - askedAt;
                    unanswered = 0;
                }
                if (verbose && t - askedAt > 50)
                    fprintf(stderr, "pause of %.0f ms at %.3f s\n", t - askedAt, (askedAt - start) / 1e3);
                askedAt = -1;
            }
        } else if (drain(dpy, damageEvent, NULL)) {
            XDamageSubtract(dpy, damage, None, None);
        }
        if (t - cpuAt >= 10) {
            const uint64_t cpu = cpu_ns(pid);
            const int busy = (double)(cpu - lastCpu) / 1e6 > (t - cpuAt) / 4;
            if (!busy)
                busySince = -1;
            else if (busySince < 0)
                busySince = cpuAt;
            if (busySince >= 0 && t - busySince >= 60)
                lastWork = t;
            lastCpu = cpu;
            cpuAt = t;
        }
        if (t - lastWork >= quiet && (!ticking || (asked > 4 && askedAt < 0)))
            break;
        /* A request the program leaves unanswered once its work has settled (or for the longest
         * run allowed) times out: a pause of at least its age. */
        const int settled = t - lastWork >= quiet;
        if (ticking && askedAt >= 0 && ((settled && t - askedAt >= NoAnswerMs) || t - start > LongestRunMs)) {
            if (t - askedAt > longest) {
                longest = t - askedAt;
                unanswered = 1;
            }
            if (verbose)
                fprintf(stderr, "no answer for %.0f ms at %.3f s\n", t - askedAt, (askedAt - start) / 1e3);
            break;
        }
        if (t - start > LongestRunMs) {
            fprintf(stderr, "the program never settled\n");
            return 1;
        }
        if (ticking && askedAt < 0 && t >= nextAsk) {
            ask(dpy, window, spot);
            askedAt = t;
            ++asked;
            nextAsk = t + 50;
        }
        poll(NULL, 0, 2);
    }
    if (ticking)
        printf("%.0f%s %.3f\n", longest, unanswered ? "+" : "", (lastWork - start) / 1e3);
    else
        printf("%.3f\n", (lastWork - start) / 1e3);
    XDamageDestroy(dpy, damage);
    XCloseDisplay(dpy);
    return 0;
}
