// The machine that the headless Win32 subset simulates: one process, one GUI thread.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "headless/control.h"

struct WindowClassRecord {
  WNDCLASSA definition;
  std::string name;
};

struct WindowRecord {
  std::string className;
  std::string title;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  int x = 0, y = 0, width = 0, height = 0;
  bool visible = false;
  bool needsPaint = false;
  bool foreign = false;  // belongs to another program: has no procedure here
  HDC ownDC = nullptr;   // the one device context of a CS_OWNDC window
  DPI_AWARENESS_CONTEXT awareness = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;  // a pseudo handle
};

struct TimerRecord {
  HWND window;
  UINT_PTR id;
  UINT interval;
  uint32_t due;
};

struct ModuleRecord {
  std::string name;
  bool loaded = false;
  bool removed = false;  // taken away: nothing finds it
  int loadCount = 0;
  std::map<std::string, FARPROC> exports;
};

struct FailureRecord {
  int succeedFirst = 0;  // calls that still succeed before the failures begin
  int count = 0;
};

struct PowerRegistration {
  HPOWERNOTIFY handle;
  HWND window;
  GUID setting;
  bool live;
};

struct ScheduledAction {
  uint32_t time;
  uint64_t order;
  std::function<void()> action;
};

// The system's own modules: USER32.DLL, loaded, with the entries that programs look up at run time
// because older systems lack them, and SHCORE.DLL, which a program must load itself.
std::vector<ModuleRecord> SystemModules();

// A text with its terminator in a block of exactly that size, so that a read past its end is caught
// by the address sanitizer.
inline std::vector<char> ExactText(const std::string& text) {
  return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

struct World {
  // Machine facts.
  int screenWidth = 1024;
  int screenHeight = 768;
  // The monitors beside the primary one, which covers the screen from (0, 0).
  std::vector<RECT> otherMonitors;
  // Each monitor's DPI by index, and the system DPI the session started with.
  std::vector<UINT> monitorDpis = {USER_DEFAULT_SCREEN_DPI};
  UINT systemDpi = USER_DEFAULT_SCREEN_DPI;
  DPI_AWARENESS_CONTEXT threadAwareness = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;  // a pseudo handle
  // The display's power state and who hears of it; the notifications still waiting for delivery keep
  // their data here.
  DWORD displayState = 1;
  std::vector<PowerRegistration> powerRegistrations;
  std::deque<std::vector<BYTE>> queuedPowerSettings;
  int bitsPerPixel = 32;
  DWORD platformId = VER_PLATFORM_WIN32_NT;
  std::vector<char> commandLine = ExactText("lomlom.scr");
  UINT codePage = 1252;

  // Windows and messages.
  std::vector<WindowClassRecord> classes;
  std::map<uintptr_t, WindowRecord> windows;
  uintptr_t nextWindow = 0x10010;
  HWND foreground = nullptr;
  // What GetMessageA looks at, in the order it looks: messages other threads sent, posted messages,
  // then the input queue (keyboard and mouse), then paint and timers, which are made on demand.
  std::deque<MSG> sentByOthers;
  std::deque<MSG> posted;
  std::deque<MSG> input;
  bool quitPosted = false;
  int quitCode = 0;
  int messageBudget = 100000;
  bool budgetExhausted = false;
  std::vector<TimerRecord> timers;
  POINT cursor = {0, 0};
  HCURSOR cursorShape = reinterpret_cast<HCURSOR>(0x5000);
  bool screenSaverRunning = false;

  // Exceptions: the process's top-level filter, and what the system's own filter answers.
  LPTOP_LEVEL_EXCEPTION_FILTER exceptionFilter = nullptr;
  LONG systemExceptionVerdict = EXCEPTION_EXECUTE_HANDLER;

  // Time. On a real clock `now` is realClockStart plus the real milliseconds since realClockBase,
  // and a wait for messages really waits, in realWait when there is one.
  uint32_t now = 1000;
  bool realClock = false;
  uint32_t realClockStart = 0;
  std::chrono::steady_clock::time_point realClockBase;
  std::function<void(int milliseconds)> realWait;
  std::vector<ScheduledAction> scheduled;
  uint64_t scheduleOrder = 0;

  // Modules, folders and files. A module added by bare name lives in the system folder.
  std::vector<ModuleRecord> modules = SystemModules();
  std::string systemFolder = "C:\\WINDOWS\\SYSTEM32";
  std::string windowsFolder = "C:\\WINDOWS";
  std::vector<std::string> files = {"C:\\WINDOWS\\SYSTEM32\\control.exe"};

  // Where PlaySoundA's sounds go; without it they are only logged.
  std::function<void(const BYTE* wave, DWORD size)> soundOutput;

  // Failure injection.
  std::map<std::string, FailureRecord> failures;

  // Logs.
  std::vector<HeadlessCall> calls;
  std::vector<HeadlessMessage> messages;
  std::vector<HeadlessMessageBox> messageBoxes;
};

World& TheWorld();
// On a real clock, brings `now` up to the real time; on the test clock, does nothing.
void FollowRealClock();

// True (and one failure used up) when the test asked this call to fail.
bool ShouldFail(const char* api);

WindowRecord* FindWindowRecord(HWND window);
// The program's windows that are not children, in the order they were made.
std::vector<HWND> TopLevelWindows();
// The monitors in virtual-screen coordinates, the primary first; their handles and back.
std::vector<RECT> MonitorRects();
HMONITOR HandleOfMonitor(size_t index);
long IndexOfMonitor(HMONITOR monitor);  // -1: not a monitor's handle
// The monitor that `area` meets most (the first of equals); without one, as `flags` say: none, the
// primary, or the one nearest.
HMONITOR MonitorOfArea(const RECT& area, DWORD flags);
// Where a window lies on the screen.
RECT ScreenRect(HWND window);
// The system DPI as a thread of this awareness sees it.
UINT SystemDpiFor(DPI_AWARENESS_CONTEXT awareness);
// The full path of a file in the system folder.
std::string SystemFolderPath(const std::string& fileName);
bool SamePath(const std::string& a, const std::string& b);
// True when `name` finds the module: its own name, or, for a module added by bare name, its path in
// the system folder.
bool ModuleAt(const ModuleRecord& module, const std::string& name);
LRESULT DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool posted);
// Where a window's client area starts on the screen.
POINT ScreenOrigin(HWND window);
// The window of this program that the cursor is over (children before their parents), or null.
HWND WindowUnderCursor();
// A mouse move for the window under the cursor, merged into a move already waiting for it.
void QueueMouseMove();
// The device context that a CS_OWNDC window keeps from creation to destruction.
HDC CreateOwnDC(HWND window);
void DeleteOwnDC(HDC dc);
bool HasResource(HMODULE module, LPCSTR type, LPCSTR name);
// The bytes of a resource of the executable, found without a logged call; false when there is none.
bool ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name, const BYTE** bytes, DWORD* size);
void ResetGdi();
void ResetResources();
void ResetRegistry();
void ResetDialogs();

// Call log: LogCall("SetTimer", "hwnd=", window, " id=", id).
std::string FormatArgument(const void* pointer);
std::string FormatArgument(const char* text);
inline std::string FormatArgument(char* text) {
  return FormatArgument(static_cast<const char*>(text));
}
template <typename T>
std::string FormatArgument(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}
template <typename... Parts>
void LogCall(const char* api, const Parts&... parts) {
  std::string arguments;
  ((arguments += FormatArgument(parts)), ...);
  TheWorld().calls.push_back({api, arguments});
}
