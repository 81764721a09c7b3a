/* Starts a program and prints how long it took until a window with a given
 * name was mapped and until the program first drew into it, as the X server
 * saw them: "MAPPED_MS DRAWN_MS PID".
 *   startup-watch NAME PROGRAM [ARGS...]
 * It connects once, before the program starts, and then only listens: a
 * watcher that opens a new connection every few milliseconds (xdotool in a
 * loop) makes the server answer each new client late, and the program under
 * test waits behind it. The program is left running for the caller to read
 * and end. Exit status 1 if the program ended first or nothing showed in 20 s. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

/* _NET_WM_NAME (UTF-8) first, then WM_NAME of any encoding. */
static int has_name(Display *dpy, Window w, const char *name) {
  Atom props[2] = {XInternAtom(dpy, "_NET_WM_NAME", False), XA_WM_NAME};
  for (int i = 0; i < 2; ++i) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *value = NULL;
    if (XGetWindowProperty(dpy, w, props[i], 0, 1024, False, AnyPropertyType, &type, &format,
                           &count, &after, &value) == Success && value) {
      int same = format == 8 && count == strlen(name) && memcmp(value, name, count) == 0;
      XFree(value);
      if (same)
        return 1;
    }
  }
  return 0;
}

/* The mapped window, or with a window manager its frame's child; 0 if the
 * window is not the one named. */
static Window named(Display *dpy, Window w, const char *name) {
  if (has_name(dpy, w, name))
    return w;
  Window root, parent, *children = NULL, found = 0;
  unsigned int n = 0;
  if (XQueryTree(dpy, w, &root, &parent, &children, &n)) {
    for (unsigned int i = 0; i < n && !found; ++i)
      if (has_name(dpy, children[i], name))
        found = children[i];
    if (children)
      XFree(children);
  }
  return found;
}

/* Something drawn, not only a background filled in: more than one colour. */
static int drawn(Display *dpy, Window w) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(dpy, w, &a) || a.width <= 0 || a.height <= 0)
    return 0;
  XImage *img = XGetImage(dpy, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!img)
    return 0;
  unsigned long first = XGetPixel(img, 0, 0);
  int more = 0;
  for (int y = 0; y < a.height && !more; y += 2)
    for (int x = 0; x < a.width && !more; x += 2)
      more = (unsigned long)XGetPixel(img, x, y) != first;
  XDestroyImage(img);
  return more;
}

static int ignore_errors(Display *dpy, XErrorEvent *e) {
  (void)dpy;
  (void)e; /* a window gone between its map and our question */
  return 0;
}

int main(int argc, char **argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s WINDOW_NAME PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  Display *dpy = XOpenDisplay(NULL);
  if (!dpy) {
    fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  int damage_event, damage_error;
  if (!XDamageQueryExtension(dpy, &damage_event, &damage_error)) {
    fprintf(stderr, "the X server has no DAMAGE extension\n");
    return 2;
  }
  XSetErrorHandler(ignore_errors);
  XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
  XSync(dpy, False);

  double start = now_ms();
  pid_t pid = fork();
  if (pid < 0) {
    perror("fork");
    return 2;
  }
  if (pid == 0) {
    close(ConnectionNumber(dpy));
    execvp(argv[2], argv + 2);
    perror(argv[2]);
    _exit(127);
  }

  /* Mapped first; then the first drawing into it (the server reports any
   * change of the window's contents once it is mapped). */
  double mapped = -1;
  Window shown = 0;
  Damage damage = 0;
  struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
  while (now_ms() - start < 20000) {
    while (XPending(dpy)) {
      XEvent ev;
      XNextEvent(dpy, &ev);
      if (mapped < 0 && ev.type == MapNotify) {
        shown = named(dpy, ev.xmap.window, argv[1]);
        if (shown) {
          mapped = now_ms() - start;
          damage = XDamageCreate(dpy, shown, XDamageReportNonEmpty);
          XFlush(dpy);
        }
      } else if (mapped >= 0 && ev.type == damage_event + XDamageNotify) {
        XDamageSubtract(dpy, damage, None, None);
        if (drawn(dpy, shown)) {
          printf("%.0f %.0f %d\n", mapped, now_ms() - start, (int)pid);
          return 0;
        }
      }
    }
    if (waitpid(pid, NULL, WNOHANG) == pid) {
      fprintf(stderr, "%s ended before '%s' showed\n", argv[2], argv[1]);
      return 1;
    }
    poll(&pfd, 1, 50);
  }
  fprintf(stderr, "'%s' did not show within 20 s\n", argv[1]);
  return 1;
}
