// The headless machine's monitors and owned windows, against what the platform documents: the
// primary monitor lies at (0, 0) and is the screen; enumeration without a device context hands out
// each monitor's rectangle in virtual-screen coordinates, only those that meet a clipping rectangle,
// and stops when the callback answers FALSE; an owner's destruction takes its owned windows first.
// Each monitor has its DPI, which a thread or window sees as its DPI awareness lets it.
#include <shellscalingapi.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/saver_test_support.h"

namespace {

struct Enumerated {
  std::vector<HMONITOR> monitors;
  std::vector<RECT> rects;
  int stopAfter = 0;  // 0: never stop
};

BOOL CALLBACK Collect(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data) {
  Enumerated& seen = *reinterpret_cast<Enumerated*>(data);
  EXPECT_EQ(nullptr, dc);
  seen.monitors.push_back(monitor);
  seen.rects.push_back(*rect);
  return seen.stopAfter == 0 || static_cast<int>(seen.monitors.size()) < seen.stopAfter;
}

// A primary of 1280x1024, one monitor to its left that starts above it, one below it.
const std::vector<RECT> kThreeMonitors = {{0, 0, 1280, 1024}, {-800, -100, 0, 500}, {0, 1024, 1024, 1792}};

std::vector<HMONITOR> MonitorHandles() {
  Enumerated seen;
  EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen));
  return seen.monitors;
}

std::vector<std::string> EnumeratedRects(const RECT* clip) {
  Enumerated seen;
  EXPECT_TRUE(EnumDisplayMonitors(nullptr, clip, Collect, reinterpret_cast<LPARAM>(&seen)));
  return RectTexts(seen.rects);
}

using HeadlessMonitorsTest = SaverTest;

TEST_F(HeadlessMonitorsTest, AFreshMachineHasOneMonitorThatIsTheScreen) {
  for (bool resized : Fresh({false, true})) {
    if (resized)
      HeadlessSetScreen(640, 480);
    const std::string screen = resized ? "0,0,640,480" : "0,0,1024,768";
    Enumerated seen;
    EXPECT_TRUE(EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(std::vector<std::string>{screen}, RectTexts(seen.rects)) << resized;
    ASSERT_EQ(1u, seen.monitors.size());
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(seen.monitors[0], &info));
    EXPECT_EQ(screen, RectText(info.rcMonitor));
    EXPECT_EQ(screen, RectText(info.rcWork));
    EXPECT_EQ(static_cast<DWORD>(MONITORINFOF_PRIMARY), info.dwFlags);
  }
}

TEST_F(HeadlessMonitorsTest, SeveralMonitorsEachWithItsRectangleAndOnlyTheFirstPrimary) {
  HeadlessSetMonitors(kThreeMonitors);
  EXPECT_EQ(1280, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(1024, GetSystemMetrics(SM_CYSCREEN));
  Enumerated seen;
  EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(RectTexts(kThreeMonitors), RectTexts(seen.rects));
  ASSERT_EQ(3u, seen.monitors.size());
  for (size_t i = 0; i < seen.monitors.size(); ++i) {
    EXPECT_NE(nullptr, seen.monitors[i]);
    for (size_t j = 0; j < i; ++j)
      EXPECT_NE(seen.monitors[j], seen.monitors[i]);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(seen.monitors[i], &info)) << i;
    EXPECT_EQ(RectText(kThreeMonitors[i]), RectText(info.rcMonitor)) << i;
    EXPECT_EQ(i == 0 ? static_cast<DWORD>(MONITORINFOF_PRIMARY) : 0u, info.dwFlags) << i;
  }
}

TEST_F(HeadlessMonitorsTest, AClippingRectangleTakesOnlyTheMonitorsItMeets) {
  HeadlessSetMonitors(kThreeMonitors);
  const struct {
    const char* name;
    RECT clip;
    std::vector<std::string> expected;
  } cases[] = {
      {"primary only", {100, 100, 200, 200}, {"0,0,1280,1024"}},
      {"across the left edge", {-10, 400, 10, 410}, {"0,0,1280,1024", "-800,-100,0,500"}},
      {"above the primary, left of it", {-50, -50, -40, -40}, {"-800,-100,0,500"}},
      {"touching the left monitor's edge only", {0, 400, 10, 410}, {"0,0,1280,1024"}},
      {"the whole virtual screen", {-800, -100, 1280, 1792}, RectTexts(kThreeMonitors)},
      {"nowhere", {5000, 5000, 5100, 5100}, {}},
      {"empty", {100, 100, 100, 200}, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, EnumeratedRects(&c.clip)) << c.name;
}

TEST_F(HeadlessMonitorsTest, EnumerationStopsWhenTheCallbackSaysSo) {
  HeadlessSetMonitors(kThreeMonitors);
  Enumerated seen;
  seen.stopAfter = 2;
  EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(2u, seen.monitors.size());
}

TEST_F(HeadlessMonitorsTest, BadArgumentsFail) {
  HeadlessSetMonitors(kThreeMonitors);
  Enumerated seen;
  EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen));
  HDC screen = GetDC(nullptr);
  EXPECT_FALSE(EnumDisplayMonitors(screen, nullptr, Collect, reinterpret_cast<LPARAM>(&seen)))
      << "a device context is not supported";
  ReleaseDC(nullptr, screen);
  EXPECT_FALSE(EnumDisplayMonitors(nullptr, nullptr, nullptr, 0));

  MONITORINFO info = {};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetMonitorInfoA(nullptr, &info));
  EXPECT_FALSE(GetMonitorInfoA(reinterpret_cast<HMONITOR>(0x1234), &info));
  EXPECT_FALSE(GetMonitorInfoA(seen.monitors[1], nullptr));
  for (DWORD size : {0u, static_cast<DWORD>(sizeof info - 1), static_cast<DWORD>(sizeof info + 1)}) {
    info.cbSize = size;
    EXPECT_FALSE(GetMonitorInfoA(seen.monitors[1], &info)) << size;
  }
  UINT x = 7, y = 7;
  const struct {
    HMONITOR monitor;
    MONITOR_DPI_TYPE type;
    UINT* x;
    UINT* y;
  } dpiCalls[] = {
      {nullptr, MDT_EFFECTIVE_DPI, &x, &y},
      {reinterpret_cast<HMONITOR>(0x1234), MDT_EFFECTIVE_DPI, &x, &y},
      {seen.monitors[1], MDT_EFFECTIVE_DPI, nullptr, &y},
      {seen.monitors[1], MDT_EFFECTIVE_DPI, &x, nullptr},
      {seen.monitors[1], static_cast<MONITOR_DPI_TYPE>(MDT_RAW_DPI + 1), &x, &y},
  };
  for (const auto& c : dpiCalls)
    EXPECT_EQ(E_INVALIDARG, GetDpiForMonitor(c.monitor, c.type, c.x, c.y));
  EXPECT_EQ(7u, x) << "nothing written";
  EXPECT_EQ(7u, y);
  EXPECT_EQ(nullptr, MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY)) << "no window, no monitor";
  EXPECT_THROW(HeadlessSetMonitorDpi(3, 120), std::invalid_argument);
  EXPECT_THROW(HeadlessSetMonitorDpi(0, 0), std::invalid_argument);

  // A monitor that is no longer there.
  HeadlessSetMonitors({{0, 0, 1024, 768}});
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetMonitorInfoA(seen.monitors[2], &info));
  EXPECT_EQ(E_INVALIDARG, GetDpiForMonitor(seen.monitors[2], MDT_EFFECTIVE_DPI, &x, &y));
}

TEST_F(HeadlessMonitorsTest, ImpossibleLayoutsAreRefused) {
  const struct {
    const char* name;
    std::vector<RECT> monitors;
  } cases[] = {
      {"none", {}},
      {"primary away from the origin", {{10, 0, 1034, 768}}},
      {"empty primary", {{0, 0, 0, 768}}},
      {"empty second", {{0, 0, 1024, 768}, {1024, 0, 1024, 600}}},
      {"overlapping", {{0, 0, 1024, 768}, {1000, 0, 1800, 600}}},
  };
  for (const auto& c : cases) {
    EXPECT_THROW(HeadlessSetMonitors(c.monitors), std::invalid_argument) << c.name;
    EXPECT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << c.name << ": the layout stays as it was";
  }
}

TEST_F(HeadlessMonitorsTest, User32IsLoadedAndItsMonitorEntriesCanBeTakenAway) {
  HMODULE user = GetModuleHandleA("user32.dll");
  ASSERT_NE(nullptr, user);
  const std::pair<const char*, FARPROC> entries[] = {
      {"EnumDisplayMonitors", AsExport(EnumDisplayMonitors)},
      {"GetMonitorInfoA", AsExport(GetMonitorInfoA)},
      {"MonitorFromWindow", AsExport(MonitorFromWindow)},
      {"MonitorFromPoint", AsExport(MonitorFromPoint)},
      {"GetDpiForWindow", AsExport(GetDpiForWindow)},
      {"GetDpiForSystem", AsExport(GetDpiForSystem)},
      {"SetThreadDpiAwarenessContext", AsExport(SetThreadDpiAwarenessContext)},
      {"GetWindowDpiAwarenessContext", AsExport(GetWindowDpiAwarenessContext)},
      {"RegisterPowerSettingNotification", AsExport(RegisterPowerSettingNotification)},
      {"UnregisterPowerSettingNotification", AsExport(UnregisterPowerSettingNotification)},
  };
  for (const auto& [name, entry] : entries)
    EXPECT_EQ(entry, GetProcAddress(user, name)) << name;
  HeadlessRemoveExport("USER32.DLL", "EnumDisplayMonitors");
  EXPECT_EQ(nullptr, GetProcAddress(user, "EnumDisplayMonitors"));
  EXPECT_NE(nullptr, GetProcAddress(user, "GetMonitorInfoA"));
}

TEST_F(HeadlessMonitorsTest, ShcoreIsThereToLoadUntilTakenAway) {
  EXPECT_EQ(nullptr, GetModuleHandleA("shcore.dll")) << "not loaded before the program loads it";
  HMODULE shcore = LoadLibraryA("SHCORE.DLL");
  ASSERT_NE(nullptr, shcore);
  EXPECT_EQ(AsExport(GetDpiForMonitor), GetProcAddress(shcore, "GetDpiForMonitor"));
  EXPECT_TRUE(FreeLibrary(shcore));
  EXPECT_EQ(0, HeadlessModuleLoadCount("SHCORE.DLL"));
  EXPECT_EQ(nullptr, GetModuleHandleA("shcore.dll"));
  HeadlessRemoveModule("SHCORE.DLL");
  EXPECT_EQ(nullptr, LoadLibraryA("SHCORE.DLL"));
  EXPECT_EQ(nullptr, GetProcAddress(shcore, "GetDpiForMonitor"));
}

TEST_F(HeadlessMonitorsTest, FailuresCanWaitForEarlierCallsToSucceed) {
  HeadlessFailCall("GetMonitorInfoA", 1, 2);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  Enumerated seen;
  EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&seen));
  std::vector<BOOL> results;
  for (int i = 0; i < 4; ++i)
    results.push_back(GetMonitorInfoA(seen.monitors[0], &info));
  EXPECT_EQ((std::vector<BOOL>{TRUE, TRUE, FALSE, TRUE}), results);
}

// Owned windows, windows beside or above the primary monitor, the monitor of a window or point, and
// the DPIs that threads and windows see.
std::vector<HWND> destroyed;

LRESULT CALLBACK RecordDestructionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY)
    destroyed.push_back(window);
  return DefWindowProcA(window, message, wParam, lParam);
}

class HeadlessOwnedWindowsTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    destroyed.clear();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordDestructionProc;
    windowClass.lpszClassName = "Probe";
    RegisterClassA(&windowClass);
  }
  HWND Make(DWORD style, HWND parent, int x, int y, int width, int height) {
    return CreateWindowExA(0, "Probe", "", style, x, y, width, height, parent, nullptr, nullptr, nullptr);
  }
};

TEST_F(HeadlessOwnedWindowsTest, OwnedWindowsGoBeforeTheirOwnerChildrenAfter) {
  HWND owner = Make(WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 100, 100);
  HWND child = Make(WS_CHILD | WS_VISIBLE, owner, 0, 0, 10, 10);
  HWND owned = Make(WS_POPUP | WS_VISIBLE, owner, 200, 0, 100, 100);
  HWND ownedByOwned = Make(WS_POPUP, owned, 400, 0, 100, 100);
  HWND unrelated = Make(WS_POPUP, nullptr, 600, 0, 100, 100);
  EXPECT_EQ(owner, GetParent(owned)) << "a popup's parent is its owner";
  DestroyWindow(owner);
  EXPECT_EQ((std::vector<HWND>{ownedByOwned, owned, owner, child}), destroyed);
  EXPECT_EQ(std::vector<HWND>{unrelated}, HeadlessWindows());
}

TEST_F(HeadlessOwnedWindowsTest, AnOwnerThatIsNoWindowFailsTheCreation) {
  EXPECT_EQ(nullptr, Make(WS_POPUP, reinterpret_cast<HWND>(0x777), 0, 0, 10, 10));
  EXPECT_EQ(0, HeadlessWindowCount());
}

TEST_F(HeadlessOwnedWindowsTest, AWindowFilterTakesChildrenButNotOwnedWindows) {
  HWND owner = Make(WS_POPUP, nullptr, 0, 0, 100, 100);
  HWND child = Make(WS_CHILD, owner, 0, 0, 10, 10);
  HWND owned = Make(WS_POPUP, owner, 200, 0, 100, 100);
  PostMessageA(owned, WM_USER, 0, 0);
  PostMessageA(child, WM_USER + 1, 0, 0);
  MSG message = {};
  ASSERT_TRUE(PeekMessageA(&message, owner, 0, 0, PM_REMOVE));
  EXPECT_EQ(child, message.hwnd);
  EXPECT_FALSE(PeekMessageA(&message, owner, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&message, owned, 0, 0, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_USER), message.message);
}

TEST_F(HeadlessOwnedWindowsTest, InputReachesWindowsLeftOfAndAboveThePrimaryMonitor) {
  HeadlessSetMonitors(kThreeMonitors);
  HWND left = Make(WS_POPUP | WS_VISIBLE, nullptr, -800, -100, 800, 600);
  EXPECT_EQ("-800,-100,0,500", RectText(HeadlessWindowRect(left)));
  HeadlessSetCursor(-5, -60);
  HeadlessUserInput(WM_LBUTTONDOWN);
  HeadlessMoveCursor(-700, 0);
  MSG message = {};
  std::vector<std::pair<UINT, LPARAM>> seen;
  while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
    seen.push_back({message.message, message.lParam});
  // Client coordinates of the cursor: (795, 40), then (100, 100).
  EXPECT_EQ((std::vector<std::pair<UINT, LPARAM>>{{WM_LBUTTONDOWN, MAKELONG(795, 40)},
                                                  {WM_MOUSEMOVE, MAKELONG(100, 100)}}),
            seen);
}

TEST_F(HeadlessOwnedWindowsTest, APointOrWindowFindsTheMonitorItMeetsMostElseAsTheFlagsSay) {
  HeadlessSetMonitors(kThreeMonitors);
  const std::vector<HMONITOR> monitors = MonitorHandles();
  // Index of the monitor found for each of MONITOR_DEFAULTTONULL, ..TOPRIMARY, ..TONEAREST; -1: none.
  const struct {
    const char* name;
    bool window;  // else the point at the area's top left
    RECT area;
    std::vector<int> expected;
  } cases[] = {
      {"inside the primary", false, {100, 100, 101, 101}, {0, 0, 0}},
      {"left of and above the primary", false, {-1, -1, 0, 0}, {1, 1, 1}},
      {"just past the primary's right edge", false, {1280, 0, 1281, 1}, {-1, 0, 0}},
      {"far below right, nearest the lower monitor", false, {5000, 5000, 5001, 5001}, {-1, 0, 2}},
      {"left of everything", false, {-900, 0, -899, 1}, {-1, 0, 1}},
      {"a window mostly on the left monitor", true, {-500, 0, 100, 100}, {1, 1, 1}},
      {"a window mostly on the primary", true, {-100, 0, 500, 100}, {0, 0, 0}},
      {"a window below the left monitor", true, {-700, 600, -600, 700}, {-1, 0, 1}},
  };
  for (const auto& c : cases) {
    const HWND window = c.window ? Make(WS_POPUP, nullptr, c.area.left, c.area.top,
                                        c.area.right - c.area.left, c.area.bottom - c.area.top)
                                 : nullptr;
    std::vector<int> found;
    for (DWORD flags : {MONITOR_DEFAULTTONULL, MONITOR_DEFAULTTOPRIMARY, MONITOR_DEFAULTTONEAREST}) {
      const HMONITOR monitor =
          c.window ? MonitorFromWindow(window, flags) : MonitorFromPoint({c.area.left, c.area.top}, flags);
      const auto at = std::find(monitors.begin(), monitors.end(), monitor);
      found.push_back(monitor ? static_cast<int>(at - monitors.begin()) : -1);
    }
    EXPECT_EQ(c.expected, found) << c.name;
  }
}

TEST_F(HeadlessOwnedWindowsTest, EachAwarenessSeesTheDpisItShould) {
  HeadlessSetMonitors(kThreeMonitors);
  HeadlessSetMonitorDpi(0, 144);
  HeadlessSetMonitorDpi(1, 192);
  const std::vector<HMONITOR> monitors = MonitorHandles();
  HDC screen = GetDC(nullptr);
  // GetDpiForSystem, LOGPIXELSX, LOGPIXELSY, GetDpiForMonitor of monitors 0 to 2, GetDpiForWindow of
  // a window on monitor 1 made under that awareness.
  const struct {
    DPI_AWARENESS_CONTEXT awareness;
    std::vector<UINT> expected;
  } cases[] = {
      {DPI_AWARENESS_CONTEXT_UNAWARE, {96, 96, 96, 96, 96, 96, 96}},
      {DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, {144, 144, 144, 144, 144, 144, 144}},
      {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, {144, 144, 144, 144, 192, 96, 192}},
      {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, {144, 144, 144, 144, 192, 96, 192}},
      {DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED, {96, 96, 96, 96, 96, 96, 96}},
  };
  for (const auto& c : cases) {
    ASSERT_NE(nullptr, SetThreadDpiAwarenessContext(c.awareness));
    std::vector<UINT> seen = {GetDpiForSystem(), static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX)),
                              static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY))};
    for (HMONITOR monitor : monitors) {
      UINT x = 0, y = 0;
      EXPECT_EQ(S_OK, GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y));
      EXPECT_EQ(x, y);
      seen.push_back(x);
    }
    seen.push_back(GetDpiForWindow(Make(WS_POPUP, nullptr, -700, 0, 100, 100)));
    EXPECT_EQ(c.expected, seen) << HeadlessThreadDpiAwareness();
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(HeadlessOwnedWindowsTest, AwarenessHandlesAreTheSystemsOwnAndAChildSharesItsParents) {
  const DPI_AWARENESS_CONTEXT v2 = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;
  EXPECT_EQ(v2, HeadlessThreadDpiAwareness()) << "as the manifest declares";
  HWND host = HeadlessCreateForeignWindow("host", 200, 150);
  HeadlessSetWindowDpiAwareness(host, DPI_AWARENESS_CONTEXT_UNAWARE);
  EXPECT_EQ(nullptr, Make(WS_CHILD, host, 0, 0, 10, 10)) << "a per-monitor aware child of an unaware window";
  const DPI_AWARENESS_CONTEXT hostContext = GetWindowDpiAwarenessContext(host);
  EXPECT_NE(DPI_AWARENESS_CONTEXT_UNAWARE, hostContext) << "not the pseudo handle";
  const DPI_AWARENESS_CONTEXT previous = SetThreadDpiAwarenessContext(hostContext);
  HWND child = Make(WS_CHILD, host, 0, 0, 10, 10);
  ASSERT_NE(nullptr, child);
  EXPECT_EQ(DPI_AWARENESS_CONTEXT_UNAWARE, HeadlessWindowDpiAwareness(child));
  EXPECT_EQ(hostContext, GetWindowDpiAwarenessContext(child));
  EXPECT_NE(nullptr, SetThreadDpiAwarenessContext(previous));
  EXPECT_EQ(v2, HeadlessThreadDpiAwareness()) << "what the first call answered brings it back";
  EXPECT_EQ(DPI_AWARENESS_CONTEXT_UNAWARE, HeadlessWindowDpiAwareness(child)) << "a window keeps its own";
  for (intptr_t bad : {0, -6, 0x1234, 0x6000})
    EXPECT_EQ(nullptr, SetThreadDpiAwarenessContext(reinterpret_cast<DPI_AWARENESS_CONTEXT>(bad))) << bad;
  EXPECT_EQ(v2, HeadlessThreadDpiAwareness()) << "a bad context changes nothing";
  EXPECT_EQ(nullptr, GetWindowDpiAwarenessContext(reinterpret_cast<HWND>(0x777)));
  EXPECT_EQ(0u, GetDpiForWindow(reinterpret_cast<HWND>(0x777)));
}

}  // namespace
