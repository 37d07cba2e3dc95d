// The test side of the headless Win32 subset: script the machine, drive time and input, read what
// the program called.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "headless/control_display.h"

// One call the program made, with its arguments already formatted ("hwnd=0x10001 id=1 ms=110").
struct HeadlessCall {
  std::string api;
  std::string arguments;
};

// One message as a window procedure received it.
struct HeadlessMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool posted;  // came through the queue (false: sent or delivered by the system)
};

struct HeadlessMessageBox {
  HWND owner;
  std::string text;
  std::string caption;  // "<null>" when the caller passed none
  UINT type;
};

// Everything in the machine goes back to the state of a fresh start.
void HeadlessReset();

// Machine facts.
// The primary monitor's size; it covers the screen from (0, 0).
void HeadlessSetScreen(int width, int height);
// Several monitors, in virtual-screen coordinates: the first is the primary one and must lie at
// (0, 0); it becomes the screen. No two may overlap, none may be empty (std::invalid_argument).
// A fresh machine has one monitor, the screen.
void HeadlessSetMonitors(const std::vector<RECT>& monitors);
void HeadlessSetBitsPerPixel(int bitsPerPixel);
void HeadlessSetPlatform(DWORD platformId);  // VER_PLATFORM_WIN32_WINDOWS makes it Windows 95
void HeadlessSetCommandLine(const std::string& commandLine);
// A user without administrator rights: nothing below HKEY_LOCAL_MACHINE can be opened for writing,
// created, set or deleted (ERROR_ACCESS_DENIED); reading works as before.
void HeadlessSetStandardUser(bool standardUser);

// A module that LoadLibraryA/GetModuleHandleA can find, with exported entries.
void HeadlessAddModule(const std::string& name, bool alreadyLoaded);
void HeadlessAddExport(const std::string& module, const std::string& entry, FARPROC procedure);
// An entry the module lacks, as USER32.DLL of Windows 95 lacks the monitor functions.
void HeadlessRemoveExport(const std::string& module, const std::string& entry);
int HeadlessModuleLoadCount(const std::string& name);

// A window of another program (a display settings window, a preview host).
HWND HeadlessCreateForeignWindow(const std::string& title, int clientWidth, int clientHeight);

// Failure injection: after `after` more calls that succeed, the next `count` calls of `api` fail the
// way that call fails.
void HeadlessFailCall(const std::string& api, int count = 1, int after = 0);

// Time: the test clock in milliseconds (GetTickCount, timeGetTime). Nothing sleeps for real.
uint32_t HeadlessNow();
void HeadlessSetNow(uint32_t now);
// A real clock instead: it reads `start` now and goes on in real milliseconds (HeadlessSetNow sets
// it again), and a program waiting for messages really waits. `wait`, when set, does the waiting:
// it is handed the milliseconds until the next timer or scheduled action is due (-1: nothing is)
// and may return sooner, having queued input. Without `wait`, a program with nothing to wait for
// ends its loop as on the test clock. HeadlessReset brings back the test clock.
void HeadlessUseRealClock(uint32_t start, std::function<void(int milliseconds)> wait = nullptr);
// Runs `action` when the clock reaches `time`, while the program waits for messages.
void HeadlessAt(uint32_t time, std::function<void()> action);
// Upper bound of messages GetMessageA hands out before it answers WM_QUIT, so no test can hang.
void HeadlessSetMessageBudget(int messages);
bool HeadlessBudgetExhausted();

// Input as the system delivers it, through the input queue: GetMessageA hands out messages that
// other threads sent first, then posted ones, then input, then paint, then timers. Before a mouse
// message is handed out, the window under the cursor gets WM_SETCURSOR.
// Sets the cursor and queues WM_MOUSEMOVE for the window under it; a move still waiting for that
// window is updated instead. A window that appears under the cursor gets such a move too.
void HeadlessMoveCursor(int x, int y);
void HeadlessSetCursor(int x, int y);  // sets the cursor only
// A key message for the foreground window or a button message for the window under the cursor.
void HeadlessUserInput(UINT message, WPARAM wParam = 0);
void HeadlessPostToForeground(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// A message another thread sends: delivered the next time the program looks for messages.
void HeadlessSendFromOtherThread(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The cursor's shape as SetCursor and the default window procedure leave it (null: hidden), and a
// shape set from outside the program (another program's window, the system).
HCURSOR HeadlessCursorShape();
void HeadlessSetCursorShape(HCURSOR shape);
// The system's "screen saver running" state (SPI_SCREENSAVERRUNNING).
bool HeadlessScreenSaverRunning();
HWND HeadlessForeground();
bool HeadlessIsVisible(HWND window);
DWORD HeadlessStyle(HWND window);
DWORD HeadlessExStyle(HWND window);
std::string HeadlessClassName(HWND window);
int HeadlessWindowCount();
// The program's windows in the order they were made, where each lies on the screen, and its class.
std::vector<HWND> HeadlessWindows();
RECT HeadlessWindowRect(HWND window);
WNDCLASSA HeadlessWindowClass(HWND window);
int HeadlessTimerCount();

// Message boxes show nothing; they are recorded and answered with IDOK.
const std::vector<HeadlessMessageBox>& HeadlessMessageBoxes();

// What the program called and what its windows received.
const std::vector<HeadlessCall>& HeadlessCalls();
std::vector<std::string> HeadlessCallsOf(const std::string& api);
std::vector<std::string> HeadlessCallNames();
const std::vector<HeadlessMessage>& HeadlessMessages();
void HeadlessClearLogs();
// Where PlaySoundA sends what it plays: the whole WAVE file, or null and 0 when it stops the sound
// playing. Without an output sounds are only logged.
void HeadlessSetSoundOutput(std::function<void(const BYTE* wave, DWORD size)> output);

// An exception that nothing handled: runs the process's top-level filter (or, without one, the
// system's own) and returns its verdict. The system's filter answers `verdict`.
void HeadlessSetSystemExceptionVerdict(LONG verdict);
LONG HeadlessRaiseUnhandledException(DWORD code = EXCEPTION_ACCESS_VIOLATION);

// ExitProcess ends a headless run by throwing this, so a test can call the process entry.
struct HeadlessExit {
  UINT code;
};

// Registry: keys by path below a root ("SOFTWARE\\NUVARIS\\..."), names compared without case.
void HeadlessRegistrySet(HKEY root, const std::string& path, const std::string& name, DWORD type,
                         const std::vector<BYTE>& data);
void HeadlessRegistrySetDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
void HeadlessRegistryCreateKey(HKEY root, const std::string& path);
bool HeadlessRegistryGet(HKEY root, const std::string& path, const std::string& name, DWORD* type,
                         std::vector<BYTE>* data);
int HeadlessOpenRegistryKeys();

// Dialogs run modally: after WM_INITDIALOG the script plays the user's part (it may click buttons);
// a dialog that the script leaves open ends with -1.
void HeadlessSetDialogScript(std::function<void(HWND dialog)> script);
void HeadlessClickDialogButton(HWND dialog, int item);
bool HeadlessDialogItemChecked(HWND dialog, int item);
// An item is a drop-down list from the first CB_ message sent to it. Picking sets the selection and
// sends WM_COMMAND CBN_SELCHANGE (lParam 0: the headless dialogs have no control windows); an index
// that is not in the list picks nothing. The selection is CB_ERR while none is chosen.
void HeadlessSelectComboItem(HWND dialog, int item, int index);
std::vector<std::string> HeadlessComboItems(HWND dialog, int item);
int HeadlessComboSelection(HWND dialog, int item);
