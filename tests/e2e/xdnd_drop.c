/* Drops files on an X window by the XDND protocol, as a file manager does:
   enter, one position, the drop on the target's status, the path list
   handed over as text/uri-list, then the target's finish.
   usage: xdnd_drop WINDOW_ID X Y PATH... (X and Y on the root window) */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static Atom A(Display* d, const char* n) { return XInternAtom(d, n, False); }

static void Send(Display* d, Window target, Atom type, long l0, long l1, long l2, long l3, long l4) {
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.display = d;
  e.xclient.window = target;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = l0;
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[2] = l2;
  e.xclient.data.l[3] = l3;
  e.xclient.data.l[4] = l4;
  XSendEvent(d, target, False, NoEventMask, &e);
  XFlush(d);
}

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  Display* d = XOpenDisplay(NULL);
  if (!d) return 2;
  Window target = (Window)strtoul(argv[1], NULL, 0);
  int x = atoi(argv[2]), y = atoi(argv[3]);
  /* Each path as a file URI: bytes outside the unreserved set escaped. */
  static char uris[65536];
  size_t n = 0;
  for (int i = 4; i < argc; ++i) {
    n += (size_t)snprintf(uris + n, sizeof uris - n, "file://");
    for (const unsigned char* c = (const unsigned char*)argv[i]; *c && n + 8 < sizeof uris; ++c) {
      if (strchr("/-_.~", *c) || (*c >= '0' && *c <= '9') || ((*c | 0x20) >= 'a' && (*c | 0x20) <= 'z'))
        uris[n++] = (char)*c;
      else
        n += (size_t)snprintf(uris + n, sizeof uris - n, "%%%02X", *c);
    }
    n += (size_t)snprintf(uris + n, sizeof uris - n, "\r\n");
    if (n + 16 >= sizeof uris) {
      fprintf(stderr, "xdnd_drop: too many paths\n");
      return 2;
    }
  }
  Window src = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  Atom selection = A(d, "XdndSelection"), uriList = A(d, "text/uri-list");
  XSetSelectionOwner(d, selection, src, CurrentTime);
  Send(d, target, A(d, "XdndEnter"), (long)src, 5L << 24, (long)uriList, 0, 0);
  Send(d, target, A(d, "XdndPosition"), (long)src, 0, ((long)x << 16) | y, CurrentTime, (long)A(d, "XdndActionCopy"));
  time_t until = time(NULL) + 10;
  int dropped = 0, status = 0;
  while (time(NULL) < until) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == ClientMessage && e.xclient.message_type == A(d, "XdndStatus") && !dropped) {
        status = (int)(e.xclient.data.l[1] & 1);
        Send(d, target, A(d, "XdndDrop"), (long)src, 0, CurrentTime, 0, 0);
        dropped = 1;
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
        if (r->target == uriList) {
          XChangeProperty(d, r->requestor, r->property, uriList, 8, PropModeReplace, (unsigned char*)uris,
                          (int)strlen(uris));
          reply.xselection.property = r->property;
        }
        XSendEvent(d, r->requestor, False, NoEventMask, &reply);
        XFlush(d);
      } else if (e.type == ClientMessage && e.xclient.message_type == A(d, "XdndFinished")) {
        printf("finished (accepted %d)\n", status);
        return 0;
      }
    }
    usleep(10000);
  }
  printf("no finish (status %d, dropped %d)\n", status, dropped);
  return 1;
}
