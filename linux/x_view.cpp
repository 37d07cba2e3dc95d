#include "linux/x_view.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "headless/control.h"

namespace {

const int kOwnWidth = 1024;
const int kOwnHeight = 768;
const long kOwnEvents =
    KeyPressMask | ButtonPressMask | PointerMotionMask | StructureNotifyMask | ExposureMask;
const long kForeignEvents = StructureNotifyMask | ExposureMask;

bool windowLost = false;
bool requestFailed = false;

int NoteError(Display*, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable)
    windowLost = true;
  requestFailed = true;
  return 0;
}

bool StandardTrueColour(const XVisualInfo& visual, int* bitsPerPixel) {
  if (visual.c_class != TrueColor)
    return false;
  if ((visual.depth == 24 || visual.depth == 32) && visual.red_mask == 0xFF0000 &&
      visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF) {
    *bitsPerPixel = 32;
    return true;
  }
  if (visual.depth == 16 && visual.red_mask == 0xF800 && visual.green_mask == 0x7E0 &&
      visual.blue_mask == 0x1F) {
    *bitsPerPixel = 16;
    return true;
  }
  return false;
}

void FreeImage(XView* view) {
  if (!view->image)
    return;
  if (view->shared) {
    XShmDetach(view->display, &view->shm);
    XSync(view->display, False);
    shmdt(view->shm.shmaddr);
  }
  XDestroyImage(view->image);
  view->image = nullptr;
  view->shared = false;
}

// An image of the window's size, in shared memory where the server can reach it.
bool MakeImage(XView* view, Visual* visual, int depth) {
  FreeImage(view);
  if (XShmQueryExtension(view->display)) {
    view->image = XShmCreateImage(view->display, visual, depth, ZPixmap, nullptr, &view->shm, view->width,
                                  view->height);
    if (view->image) {
      view->shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(view->image->bytes_per_line) * view->height,
                               IPC_CREAT | 0600);
      void* address = view->shm.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(view->shm.shmid, nullptr, 0);
      if (view->shm.shmid >= 0)
        shmctl(view->shm.shmid, IPC_RMID, nullptr);
      if (address != reinterpret_cast<void*>(-1)) {
        view->shm.shmaddr = view->image->data = static_cast<char*>(address);
        view->shm.readOnly = False;
        // A server on another machine refuses the segment, and says so only in an error.
        requestFailed = false;
        if (XShmAttach(view->display, &view->shm)) {
          XSync(view->display, False);
          if (!requestFailed) {
            view->shared = true;
            return true;
          }
          XShmDetach(view->display, &view->shm);
          XSync(view->display, False);
        }
        shmdt(address);
      }
      view->image->data = nullptr;
      XDestroyImage(view->image);
      view->image = nullptr;
    }
  }
  const int bytes = depth == 16 ? 2 : 4;
  char* data = static_cast<char*>(calloc(static_cast<size_t>(view->width) * view->height, bytes));
  view->image =
      XCreateImage(view->display, visual, depth, ZPixmap, 0, data, view->width, view->height, bytes * 8, 0);
  if (!view->image)
    free(data);
  return view->image != nullptr;
}

bool MakeImageForWindow(XView* view) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(view->display, view->window, &attributes))
    return false;
  view->width = attributes.width;
  view->height = attributes.height;
  return MakeImage(view, attributes.visual, attributes.depth);
}

Window MakeOwnWindow(Display* display, bool fullscreen, Atom* deleteWindow) {
  const int screen = DefaultScreen(display);
  const int width = fullscreen ? DisplayWidth(display, screen) : kOwnWidth;
  const int height = fullscreen ? DisplayHeight(display, screen) : kOwnHeight;
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = kOwnEvents;
  Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0, width, height, 0, CopyFromParent,
                                InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, window, "lomlom");
  *deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, deleteWindow, 1);
  if (fullscreen) {
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom full = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&full), 1);
  }
  XMapRaised(display, window);
  return window;
}

uint16_t To565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x7E0) | ((rgb >> 3) & 0x1F));
}

// Pixels of the picture into the image at (x, y).
void Convert(XView* view, const uint32_t* from, int count, int x, int y) {
  char* row = view->image->data + static_cast<size_t>(y) * view->image->bytes_per_line;
  if (view->bitsPerPixel == 32) {
    std::memcpy(reinterpret_cast<uint32_t*>(row) + x, from, static_cast<size_t>(count) * 4);
    return;
  }
  uint16_t* out = reinterpret_cast<uint16_t*>(row) + x;
  for (int index = 0; index < count; ++index)
    out[index] = To565(from[index]);
}

// The whole window from the picture scaled to it, a pixel of the picture for each of the window's.
void ConvertScaled(XView* view, const Picture& picture) {
  std::vector<uint32_t> row(view->width);
  std::vector<int> columns(view->width);
  for (int x = 0; x < view->width; ++x)
    columns[x] = static_cast<int>(static_cast<long long>(x) * picture.width / view->width);
  for (int y = 0; y < view->height; ++y) {
    const uint32_t* from =
        picture.pixels +
        static_cast<size_t>(static_cast<long long>(y) * picture.height / view->height) * picture.width;
    for (int x = 0; x < view->width; ++x)
      row[x] = from[columns[x]];
    Convert(view, row.data(), view->width, 0, y);
  }
}

void Put(XView* view, int x, int y, int width, int height) {
  if (view->shared)
    XShmPutImage(view->display, view->window, view->gc, view->image, x, y, x, y, width, height, False);
  else
    XPutImage(view->display, view->window, view->gc, view->image, x, y, x, y, width, height);
}

}  // namespace

bool OpenView(const LinuxOptions& options, XView* view, std::string* error) {
  view->display = XOpenDisplay(nullptr);
  if (!view->display) {
    *error = "cannot open the X display (is DISPLAY set?)";
    return false;
  }
  XSetErrorHandler(NoteError);
  Display* display = view->display;
  view->own = options.target == Target::OwnWindow;
  if (view->own)
    view->window = MakeOwnWindow(display, options.fullscreen, &view->deleteWindow);
  else
    view->window = options.target == Target::Root ? DefaultRootWindow(display) : options.windowId;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, view->window, &attributes)) {
    char text[64];
    snprintf(text, sizeof text, "no window 0x%lx on the display", view->window);
    *error = text;
    return false;
  }
  XVisualInfo wanted = {};
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
  const bool usable = visual && StandardTrueColour(*visual, &view->bitsPerPixel);
  if (visual)
    XFree(visual);
  if (!usable) {
    *error = "the window's visual is neither 16-bit nor 24-bit true colour";
    return false;
  }
  if (!view->own)
    XSelectInput(display, view->window, kForeignEvents);
  view->gc = XCreateGC(display, view->window, 0, nullptr);
  if (!MakeImageForWindow(view)) {
    *error = "cannot make an image of the window's size";
    return false;
  }
  return true;
}

void CloseView(XView* view) {
  if (!view->display)
    return;
  FreeImage(view);
  if (view->gc)
    XFreeGC(view->display, view->gc);
  if (view->own && !windowLost)
    XDestroyWindow(view->display, view->window);
  XCloseDisplay(view->display);
  view->display = nullptr;
}

void PointerPosition(const XView& view, int* x, int* y) {
  Window root, child;
  int rootX, rootY;
  unsigned int buttons;
  if (!XQueryPointer(view.display, view.window, &root, &child, &rootX, &rootY, x, y, &buttons))
    *x = *y = 0;
}

void ShowPicture(XView* view, const Picture& picture, const RECT& changed, bool scaled, Refresh refresh) {
  if (!view->image || windowLost || !picture.pixels)
    return;
  const bool anyChange = changed.right > changed.left && changed.bottom > changed.top;
  if (scaled) {
    if (anyChange || refresh == Refresh::Everything)
      ConvertScaled(view, picture);
    if (anyChange || refresh != Refresh::Changes)
      Put(view, 0, 0, view->width, view->height);
    XFlush(view->display);
    return;
  }
  // The picture's place on the window, and the part of it that goes out, in window coordinates.
  const int left = (view->width - picture.width) / 2;
  const int top = (view->height - picture.height) / 2;
  RECT part = refresh == Refresh::Everything ? RECT{0, 0, picture.width, picture.height} : changed;
  part = RECT{std::max<LONG>(part.left + left, std::max(left, 0)),
              std::max<LONG>(part.top + top, std::max(top, 0)),
              std::min<LONG>(part.right + left, std::min(left + picture.width, view->width)),
              std::min<LONG>(part.bottom + top, std::min(top + picture.height, view->height))};
  const bool anyPart = part.right > part.left && part.bottom > part.top;
  for (int y = part.top; anyPart && y < part.bottom; ++y) {
    Convert(view, picture.pixels + static_cast<size_t>(y - top) * picture.width + (part.left - left),
            part.right - part.left, part.left, y);
  }
  if (refresh != Refresh::Changes)
    Put(view, 0, 0, view->width, view->height);
  else if (anyPart)
    Put(view, part.left, part.top, part.right - part.left, part.bottom - part.top);
  XFlush(view->display);
}

void TakeEvents(XView* view, ViewEvents* events) {
  while (XPending(view->display)) {
    XEvent event;
    XNextEvent(view->display, &event);
    switch (event.type) {
      case ConfigureNotify:
        if (event.xconfigure.window == view->window &&
            (event.xconfigure.width != view->width || event.xconfigure.height != view->height)) {
          view->width = event.xconfigure.width;
          view->height = event.xconfigure.height;
          events->resized = true;
        }
        break;
      case DestroyNotify:
        if (event.xdestroywindow.window == view->window) {
          windowLost = true;
          events->gone = true;
        }
        break;
      case ClientMessage:
        if (view->own && static_cast<Atom>(event.xclient.data.l[0]) == view->deleteWindow)
          events->gone = true;
        break;
      case Expose:
        events->exposed = true;
        break;
      case KeyPress:
        HeadlessUserInput(WM_KEYDOWN);
        break;
      case ButtonPress: {
        // The wheel and the extra buttons are not the buttons the saver hears.
        static const UINT kButtons[] = {0, WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
        if (event.xbutton.button >= 1 && event.xbutton.button <= 3) {
          HeadlessSetCursor(event.xbutton.x, event.xbutton.y);
          HeadlessUserInput(kButtons[event.xbutton.button]);
        }
        break;
      }
      case MotionNotify:
        HeadlessMoveCursor(event.xmotion.x, event.xmotion.y);
        break;
      default:
        break;
    }
  }
  if (windowLost)
    events->gone = true;
  if (events->resized && !events->gone && !MakeImageForWindow(view))
    events->gone = true;
}
