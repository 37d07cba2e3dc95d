// Test controls for the monitors' DPIs, DPI awareness, live display changes and the display's power
// state.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Machine setup, no message: the DPI of a monitor (index as in HeadlessSetMonitors, 0 the primary).
// Every monitor starts at 96. Monitor 0's DPI set here is also the system DPI (GetDpiForSystem,
// GetDeviceCaps LOGPIXELSX/LOGPIXELSY), which, as on Windows, later live changes leave alone.
// A monitor that is not there or a DPI of 0 throws std::invalid_argument.
void HeadlessSetMonitorDpi(size_t monitor, UINT dpi);
// A live change of resolution or of the monitors: the layout as HeadlessSetMonitors takes it (and
// refuses it), the DPIs of the monitors that remain kept by index (new ones at 96), then
// WM_DISPLAYCHANGE (wParam the bits per pixel, lParam MAKELPARAM(primary width, height)) sent to
// every top-level window of the program.
void HeadlessChangeDisplays(const std::vector<RECT>& monitors);
// A live change of a monitor's DPI: sets it, then sends WM_DPICHANGED (wParam MAKEWPARAM(dpi, dpi),
// lParam the window's rectangle scaled to the new DPI from its top-left corner) to every top-level
// window of the program that is per-monitor aware (v1 or v2), whose centre lies on that monitor and
// whose DPI this changes.
void HeadlessChangeMonitorDpi(size_t monitor, UINT dpi);

// The display's power state: 0 off, 1 on (as on a fresh machine), 2 dimmed. A change sends
// WM_POWERBROADCAST (PBT_POWERSETTINGCHANGE, a POWERBROADCAST_SETTING of GUID_CONSOLE_DISPLAY_STATE
// with the state as its DWORD) to every window registered for that setting. A registration itself
// hears the current state at once, as a message from another thread: delivered the next time the
// program looks for messages.
void HeadlessSetDisplayState(DWORD state);
// Registrations made and not yet undone, whether or not their window still exists.
int HeadlessPowerRegistrations();

// The process starts per-monitor aware (v2), as its manifest declares; a window takes the awareness
// of the thread that creates it, and a child must have its parent's. These set a window's awareness
// (pseudo handle or one the system handed out; anything else throws std::invalid_argument) and read
// a window's or the thread's as one of the five pseudo handles (null for no window).
void HeadlessSetWindowDpiAwareness(HWND window, DPI_AWARENESS_CONTEXT context);
DPI_AWARENESS_CONTEXT HeadlessWindowDpiAwareness(HWND window);
DPI_AWARENESS_CONTEXT HeadlessThreadDpiAwareness();

// A module of the system taken away, as Windows 7 has no SHCORE.DLL: nothing finds it any more.
void HeadlessRemoveModule(const std::string& name);
