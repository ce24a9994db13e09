/*
 * The helper of visible_lists.sh: watches one window of a running program on an X display
 * (its repaints through the DAMAGE extension, its processor time through /proc) and types into it
 * through the XTEST extension, as a user at the keyboard would.
 *
 *   visible_lists_probe time WINDOW PID QUIET_MS KEY     (WINDOW: an id, or "root" for all)
 *       Presses KEY ("space", "alt+s", "ctrl+shift+Tab"), then waits until the program has not
 *       worked (kept the processor busy for 60 ms and more) for QUIET_MS; prints the seconds
 *       from the key to the end of its last work.
 *   visible_lists_probe pauses WINDOW PID QUIET_MS KEY TICK1 TICK2
 *       Presses KEY, then every 50 ms TICK1 and TICK2 in turn until the program has not worked
 *       for QUIET_MS; prints the longest time from a tick to the next paint of any window, in
 *       milliseconds, and the seconds until the work settled.
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

int main(int argc, char **argv)
{
    if (argc < 6 || (strcmp(argv[1], "time") && strcmp(argv[1], "pauses")) || (!strcmp(argv[1], "pauses") && argc < 8)) {
        fprintf(stderr, "usage: %s time|pauses WINDOW PID QUIET_MS KEY [TICK1 TICK2]\n", argv[0]);
        return 2;
    }
    const int ticking = !strcmp(argv[1], "pauses");
    const int pid = atoi(argv[3]);
    const double quiet = atof(argv[4]);
    const char *key = argv[5];
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
    Damage damage = XDamageCreate(dpy, window, XDamageReportNonEmpty);
    XSync(dpy, False);
    /* Repaints already on their way are not this run's. */
    for (double until = now_ms() + 30; now_ms() < until;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == damageEvent + XDamageNotify)
                XDamageSubtract(dpy, damage, None, None);
        }
        poll(NULL, 0, 2);
    }

    /* VISIBLE_LISTS_VERBOSE=1: every pause over 50 ms on standard error, with its time. */
    const int verbose = getenv("VISIBLE_LISTS_VERBOSE") != NULL;
    const double start = now_ms();
    if (strcmp(key, "-"))
        press(dpy, key);
    /* Work is the processor busy for a stretch: more than a quarter of every 10 ms (a loaded
     * machine shares it out) for 60 ms and more. Shorter bursts (a clock label ticking over,
     * the answer to a tick) are not work. */
    double lastWork = start;
    uint64_t lastCpu = cpu_ns(pid);
    double cpuAt = start;
    double busySince = -1;
    double nextTick = start + 50;
    int tickNo = 0;
    double tickSent = -1; /* the oldest tick not yet answered by a paint */
    double longest = 0;
    for (;;) {
        const double t = now_ms();
        int painted = 0;
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == damageEvent + XDamageNotify) {
                XDamageSubtract(dpy, damage, None, None);
                painted = 1;
            }
        }
        if (painted && tickSent >= 0) {
            if (t - tickSent > longest)
                longest = t - tickSent;
            if (verbose && t - tickSent > 50)
                fprintf(stderr, "pause of %.0f ms at %.3f s\n", t - tickSent, (tickSent - start) / 1e3);
            tickSent = -1;
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
        if (t - lastWork >= quiet && (!ticking || tickNo > 4))
            break;
        if (t - start > 600000) {
            fprintf(stderr, "the program never settled\n");
            return 1;
        }
        if (ticking && t >= nextTick) {
            press(dpy, tickNo % 2 ? argv[7] : argv[6]);
            if (tickSent < 0)
                tickSent = t;
            ++tickNo;
            nextTick += 50;
        }
        poll(NULL, 0, 2);
    }
    /* An odd number of ticks leaves the focus where TICK1 put it: TICK2 takes it back. */
    if (ticking && tickNo % 2) {
        press(dpy, argv[7]);
        XSync(dpy, False);
    }
    if (ticking)
        printf("%.0f %.3f\n", longest, (lastWork - start) / 1e3);
    else
        printf("%.3f\n", (lastWork - start) / 1e3);
    XDamageDestroy(dpy, damage);
    XCloseDisplay(dpy);
    return 0;
}
