// The headless message queue hands messages out as GetMessage does on Windows: messages other
// threads sent, posted messages, input (keyboard and mouse in one queue of their own), paint, timers;
// consecutive mouse moves merged; a mouse move for a window that appears under the cursor. The
// system's own messages: display and DPI changes, and the display's power state to the windows
// registered for it.
#include <algorithm>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <shellscalingapi.h>

#include "tests/saver_test_support.h"

namespace {

struct Seen {
  UINT message;
  LPARAM lParam;
  bool posted;
  bool operator==(const Seen& other) const {
    return message == other.message && lParam == other.lParam && posted == other.posted;
  }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
  return out << "{" << std::hex << seen.message << ", " << seen.lParam
             << (seen.posted ? ", posted}" : ", sent}");
}

using SeenList = std::vector<Seen>;

// What the windows that listen heard of the display, each line starting with the window's number.
std::vector<HWND> listeners;
std::vector<std::string> heard;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::ostringstream line;
  line << "w" << (std::find(listeners.begin(), listeners.end(), window) - listeners.begin()) << " ";
  if (message == WM_DISPLAYCHANGE) {
    line << "display " << wParam << " " << LOWORD(lParam) << "x" << HIWORD(lParam);
  } else if (message == WM_DPICHANGED) {
    line << "dpi " << LOWORD(wParam) << "," << HIWORD(wParam) << " "
         << RectText(*reinterpret_cast<RECT*>(lParam)) << " now " << GetDpiForWindow(window);
  } else if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    line << (setting->PowerSetting == GUID_CONSOLE_DISPLAY_STATE ? "display state " : "other ")
         << setting->DataLength << " " << state;
  } else {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  heard.push_back(line.str());
  return 0;
}

class MessageQueueTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.lpszClassName = "Probe";
    RegisterClassA(&windowClass);
  }

  HWND MakeWindow(const char* className, DWORD style, int x, int y) {
    return CreateWindowExA(0, className, "", WS_POPUP | style, x, y, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
  }

  // What GetMessageA and DispatchMessageA delivered until nothing was waiting any more, leaving out
  // the background erase that painting sends.
  SeenList Pump() {
    HeadlessClearLogs();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && GetMessageA(&message, nullptr, 0, 0))
      DispatchMessageA(&message);
    SeenList seen;
    for (const HeadlessMessage& m : HeadlessMessages()) {
      if (m.message != WM_ERASEBKGND)
        seen.push_back(
            {m.message, m.message == WM_SETCURSOR || m.message == WM_MOUSEMOVE ? m.lParam : 0, m.posted});
    }
    return seen;
  }
};

const LPARAM kSetCursorForMove = MAKELONG(HTCLIENT, WM_MOUSEMOVE);

TEST_F(MessageQueueTest, SentThenPostedThenInputThenPaintThenTimer) {
  HeadlessSetCursor(900, 700);
  HWND window = MakeWindow("Probe", WS_VISIBLE, 0, 0);
  SetTimer(window, 1, 10, nullptr);
  HeadlessSetNow(HeadlessNow() + 20);
  // Queued in the reverse of the order in which they come out.
  HeadlessUserInput(WM_KEYDOWN, 'A');
  PostMessageA(window, WM_USER, 0, 0);
  HeadlessSendFromOtherThread(window, WM_USER + 1);
  EXPECT_EQ((SeenList{{WM_USER + 1, 0, false},
                      {WM_USER, 0, true},
                      {WM_KEYDOWN, 0, true},
                      {WM_PAINT, 0, true},
                      {WM_TIMER, 0, true}}),
            Pump());
}

TEST_F(MessageQueueTest, KeyboardAndMouseKeepTheirOrderInTheInputQueue) {
  HeadlessSetCursor(50, 50);
  MakeWindow("Probe", WS_VISIBLE, 0, 0);
  Pump();
  HeadlessUserInput(WM_LBUTTONDOWN);
  HeadlessUserInput(WM_KEYDOWN, 'A');
  HeadlessUserInput(WM_LBUTTONUP);
  EXPECT_EQ((SeenList{{WM_SETCURSOR, MAKELONG(HTCLIENT, WM_LBUTTONDOWN), false},
                      {WM_LBUTTONDOWN, 0, true},
                      {WM_KEYDOWN, 0, true},
                      {WM_SETCURSOR, MAKELONG(HTCLIENT, WM_LBUTTONUP), false},
                      {WM_LBUTTONUP, 0, true}}),
            Pump());
}

TEST_F(MessageQueueTest, ConsecutiveMouseMovesAreMergedIntoTheLatest) {
  HeadlessSetCursor(900, 700);
  MakeWindow("Probe", WS_VISIBLE, 100, 50);
  Pump();
  HeadlessMoveCursor(110, 60);
  HeadlessMoveCursor(112, 60);
  HeadlessMoveCursor(115, 61);
  HeadlessUserInput(WM_KEYDOWN, 'A');
  HeadlessMoveCursor(120, 70);
  HeadlessMoveCursor(121, 71);
  EXPECT_EQ((SeenList{{WM_SETCURSOR, kSetCursorForMove, false},
                      {WM_MOUSEMOVE, MAKELONG(15, 11), true},
                      {WM_KEYDOWN, 0, true},
                      {WM_SETCURSOR, kSetCursorForMove, false},
                      {WM_MOUSEMOVE, MAKELONG(21, 21), true}}),
            Pump());
}

TEST_F(MessageQueueTest, AWindowThatAppearsUnderTheCursorHearsAMouseMove) {
  struct Case {
    const char* what;
    POINT cursor;
    DWORD style;
    SeenList expected;
  };
  const Case cases[] = {
      {"under the cursor",
       {110, 60},
       WS_VISIBLE,
       {{WM_SETCURSOR, kSetCursorForMove, false}, {WM_MOUSEMOVE, MAKELONG(10, 10), true}}},
      {"beside the cursor", {90, 60}, WS_VISIBLE, {}},
      {"hidden", {110, 60}, 0, {}},
  };
  for (const Case& c : Fresh(cases)) {
    HeadlessSetCursor(c.cursor.x, c.cursor.y);
    MakeWindow("Probe", c.style, 100, 50);
    SeenList seen;
    for (const Seen& s : Pump()) {
      if (s.message != WM_PAINT)
        seen.push_back(s);
    }
    EXPECT_EQ(c.expected, seen) << c.what;
  }
}

TEST_F(MessageQueueTest, DefaultProcedureSetsTheClassCursorOnlyWhenTheClassHasOne) {
  const HCURSOR arrow = reinterpret_cast<HCURSOR>(0x7777);
  for (HCURSOR classCursor : Fresh({arrow, static_cast<HCURSOR>(nullptr)})) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hCursor = classCursor;
    windowClass.lpszClassName = "WithCursor";
    RegisterClassA(&windowClass);
    MakeWindow("WithCursor", WS_VISIBLE, 0, 0);
    Pump();
    SetCursor(nullptr);
    HeadlessMoveCursor(20, 20);
    Pump();
    EXPECT_EQ(classCursor, HeadlessCursorShape());
  }
}

TEST_F(MessageQueueTest, QuitIsHandedOutWhateverTheRange) {
  PostQuitMessage(3);
  MSG message = {};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.message);
  EXPECT_EQ(3u, message.wParam);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

class HeadlessDisplayMessagesTest : public MessageQueueTest {
 protected:
  void SetUp() override {
    MessageQueueTest::SetUp();
    listeners.clear();
    heard.clear();
  }
  HWND Listen(DWORD style, HWND parent, int x, int y, int width, int height) {
    listeners.push_back(
        CreateWindowExA(0, "Probe", "", style, x, y, width, height, parent, nullptr, nullptr, nullptr));
    return listeners.back();
  }
};

TEST_F(HeadlessDisplayMessagesTest, DisplayAndDpiChangesReachTheTopLevelWindowsTheyConcern) {
  HeadlessSetMonitors({{0, 0, 1024, 768}, {-800, 0, 0, 600}});
  HeadlessSetMonitorDpi(1, 120);
  HWND primary = Listen(WS_POPUP, nullptr, 0, 0, 400, 200);
  Listen(WS_CHILD, primary, 0, 0, 10, 10);
  Listen(WS_POPUP, nullptr, -800, 0, 800, 600);
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
  Listen(WS_POPUP, nullptr, 100, 100, 300, 300);
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
  Listen(WS_POPUP, nullptr, 500, 300, 200, 100);
  HeadlessCreateForeignWindow("another program", 300, 200);
  // In turn, on one machine.
  const struct {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> expected;
  } steps[] = {
      {"a monitor added, the primary resized",
       [] {
         HeadlessChangeDisplays({{0, 0, 1920, 1080}, {-800, 0, 0, 600}, {1920, 0, 3200, 1024}});
       },
       {"w0 display 32 1920x1080", "w2 display 32 1920x1080", "w3 display 32 1920x1080",
        "w4 display 32 1920x1080"}},
      {"the primary at 192 DPI",
       [] { HeadlessChangeMonitorDpi(0, 192); },
       {"w0 dpi 192,192 0,0,800,400 now 192", "w4 dpi 192,192 500,300,900,500 now 192"}},
      {"the left monitor, still at 120, at 144",
       [] { HeadlessChangeMonitorDpi(1, 144); },
       {"w2 dpi 144,144 -800,0,160,720 now 144"}},
      {"the same DPI again", [] { HeadlessChangeMonitorDpi(1, 144); }, {}},
  };
  for (const auto& step : steps) {
    heard.clear();
    step.change();
    EXPECT_EQ(step.expected, heard) << step.what;
  }
  EXPECT_EQ(96u, GetDpiForSystem()) << "the system DPI stays what the session started with";
  UINT x = 0, y = 0;
  GetDpiForMonitor(MonitorFromPoint({2000, 0}, MONITOR_DEFAULTTONULL), MDT_EFFECTIVE_DPI, &x, &y);
  EXPECT_EQ(96u, x) << "a new monitor";
}

TEST_F(HeadlessDisplayMessagesTest, RegisteredWindowsHearTheDisplayStateFirstFromAnotherThreadThenOnChange) {
  HWND window = Listen(WS_POPUP, nullptr, 0, 0, 100, 100);
  HWND other = Listen(WS_POPUP, nullptr, 0, 0, 100, 100);
  const GUID otherSetting = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  const HPOWERNOTIFY display =
      RegisterPowerSettingNotification(window, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
  const HPOWERNOTIFY unrelated =
      RegisterPowerSettingNotification(other, &otherSetting, DEVICE_NOTIFY_WINDOW_HANDLE);
  ASSERT_NE(nullptr, display);
  ASSERT_NE(nullptr, unrelated);
  EXPECT_NE(display, unrelated);
  EXPECT_TRUE(heard.empty()) << "nothing inside the call";
  const struct {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> expected;
  } steps[] = {
      {"registered", [] {}, {"w0 display state 4 1"}},
      {"off", [] { HeadlessSetDisplayState(0); }, {"w0 display state 4 0"}},
      {"still off", [] { HeadlessSetDisplayState(0); }, {}},
      {"dimmed", [] { HeadlessSetDisplayState(2); }, {"w0 display state 4 2"}},
      {"unregistered",
       [&] {
         EXPECT_TRUE(UnregisterPowerSettingNotification(display));
         HeadlessSetDisplayState(1);
       },
       {}},
  };
  for (const auto& step : steps) {
    heard.clear();
    step.change();
    Pump();
    EXPECT_EQ(step.expected, heard) << step.what;
  }
  EXPECT_EQ(1, HeadlessPowerRegistrations());
  EXPECT_FALSE(UnregisterPowerSettingNotification(display)) << "twice";
  EXPECT_FALSE(UnregisterPowerSettingNotification(nullptr));
  EXPECT_TRUE(UnregisterPowerSettingNotification(unrelated));
  const struct {
    HANDLE recipient;
    LPCGUID setting;
    DWORD flags;
  } refused[] = {
      {nullptr, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE},
      {reinterpret_cast<HANDLE>(0x777), &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE},
      {window, nullptr, DEVICE_NOTIFY_WINDOW_HANDLE},
      {window, &GUID_CONSOLE_DISPLAY_STATE, 1},  // a service's handle
  };
  for (const auto& r : refused)
    EXPECT_EQ(nullptr, RegisterPowerSettingNotification(r.recipient, r.setting, r.flags));
  EXPECT_EQ(0, HeadlessPowerRegistrations());
}

TEST_F(HeadlessDisplayMessagesTest, AResetForgetsDpisAwarenessPowerAndRemovedModules) {
  HeadlessSetMonitorDpi(0, 192);
  SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
  HeadlessSetDisplayState(0);
  RegisterPowerSettingNotification(Listen(WS_POPUP, nullptr, 0, 0, 10, 10), &GUID_CONSOLE_DISPLAY_STATE, 0);
  HeadlessRemoveModule("SHCORE.DLL");
  SetUp();
  EXPECT_EQ(0, HeadlessPowerRegistrations());
  EXPECT_EQ(96u, GetDpiForSystem());
  EXPECT_EQ(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, HeadlessThreadDpiAwareness());
  EXPECT_NE(nullptr, LoadLibraryA("SHCORE.DLL"));
  RegisterPowerSettingNotification(Listen(WS_POPUP, nullptr, 0, 0, 10, 10), &GUID_CONSOLE_DISPLAY_STATE, 0);
  Pump();
  EXPECT_EQ(std::vector<std::string>{"w0 display state 4 1"}, heard) << "the display is on";
}

}  // namespace
