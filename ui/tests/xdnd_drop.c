/* Drops files on the X window under a point of the screen, the way a Linux
 * file manager does (the XDND protocol, version 5, text/uri-list). Under Wine
 * this is how files dragged from the desktop reach a Windows program: Wine's
 * X11 driver turns the drop into WM_DROPFILES for the window under the point.
 *
 *   xdnd_drop X Y FILE...
 *
 * Exit status: 0 the target accepted and finished the drop, 3 the target
 * refused it, 1 no drop-aware window there, timeout or other failure.
 * A native X11 program: it is built with the host compiler, not for Windows. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static Display* display;
static Window source;

static Atom AtomOf(const char* name) { return XInternAtom(display, name, False); }

static void SendClientMessage(Window to, const char* type, long l1, long l2, long l3, long l4) {
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = to;
  e.xclient.message_type = AtomOf(type);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)source;
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[2] = l2;
  e.xclient.data.l[3] = l3;
  e.xclient.data.l[4] = l4;
  XSendEvent(display, to, False, NoEventMask, &e);
  XFlush(display);
}

static int IsDropAware(Window w) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = NULL;
  int aware = XGetWindowProperty(display, w, AtomOf("XdndAware"), 0, 1, False, AnyPropertyType, &type, &format,
                                 &count, &after, &data) == Success &&
              data != NULL && count == 1;
  if (data != NULL) XFree(data);
  return aware;
}

/* The drop-aware window under the point: walk down from the root. */
static Window DropAwareWindowAt(int x, int y) {
  Window parent = DefaultRootWindow(display), child = None;
  int cx, cy;
  while (XTranslateCoordinates(display, DefaultRootWindow(display), parent, x, y, &cx, &cy, &child) && child != None) {
    if (IsDropAware(child)) return child;
    parent = child;
  }
  return None;
}

/* Appends path as a file:// URI, every byte outside the unreserved set
 * percent-encoded, then CR LF. */
static void AppendUri(char* out, const char* path) {
  static const char hex[] = "0123456789ABCDEF";
  char* p = out + strlen(out);
  p += sprintf(p, "file://");
  for (const unsigned char* c = (const unsigned char*)path; *c; ++c) {
    if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') || strchr("/-_.~", *c)) {
      *p++ = (char)*c;
    } else {
      *p++ = '%';
      *p++ = hex[*c >> 4];
      *p++ = hex[*c & 15];
    }
  }
  *p++ = '\r';
  *p++ = '\n';
  *p = '\0';
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: xdnd_drop X Y FILE...\n");
    return 1;
  }
  display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "xdnd_drop: no display\n");
    return 1;
  }
  int x = atoi(argv[1]), y = atoi(argv[2]);
  size_t size = 1;
  for (int i = 3; i < argc; ++i) size += strlen(argv[i]) * 3 + 16;
  char* uris = calloc(size, 1);
  if (uris == NULL) return 1;
  for (int i = 3; i < argc; ++i) AppendUri(uris, argv[i]);

  Window target = DropAwareWindowAt(x, y);
  if (target == None) {
    fprintf(stderr, "xdnd_drop: no drop-aware window at %d,%d\n", x, y);
    return 1;
  }
  source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, AtomOf("XdndSelection"), source, CurrentTime);
  SendClientMessage(target, "XdndEnter", 5L << 24, (long)AtomOf("text/uri-list"), None, None);
  SendClientMessage(target, "XdndPosition", 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime,
                    (long)AtomOf("XdndActionCopy"));

  int dropped = 0, accepted = 0;
  for (int round = 0; round < 200; ++round) { /* 10 seconds at most */
    while (XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      if (e.type == ClientMessage && e.xclient.message_type == AtomOf("XdndStatus") && !dropped) {
        accepted = (int)(e.xclient.data.l[1] & 1);
        if (accepted) {
          SendClientMessage(target, "XdndDrop", 0, CurrentTime, 0, 0);
          dropped = 1;
        } else {
          SendClientMessage(target, "XdndLeave", 0, 0, 0, 0);
          printf("refused\n");
          return 3;
        }
      } else if (e.type == SelectionRequest) {
        XSelectionRequestEvent* r = &e.xselectionrequest;
        XEvent reply;
        memset(&reply, 0, sizeof reply);
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = r->requestor;
        reply.xselection.selection = r->selection;
        reply.xselection.target = r->target;
        reply.xselection.time = r->time;
        reply.xselection.property = None;
        if (r->target == AtomOf("text/uri-list")) {
          XChangeProperty(display, r->requestor, r->property, r->target, 8, PropModeReplace,
                          (const unsigned char*)uris, (int)strlen(uris));
          reply.xselection.property = r->property;
        }
        XSendEvent(display, r->requestor, False, NoEventMask, &reply);
        XFlush(display);
      } else if (e.type == ClientMessage && e.xclient.message_type == AtomOf("XdndFinished")) {
        int done = (int)(e.xclient.data.l[1] & 1);
        printf(done ? "finished\n" : "finished, not accepted\n");
        return done ? 0 : 3;
      }
    }
    usleep(50000);
  }
  fprintf(stderr, "xdnd_drop: no answer from the target\n");
  return 1;
}
