// Which input ends the saver, through the whole chain of window procedures and the message loop.
#include <string>

#include "host/entry.h"
#include "host/host_state.h"
#include "tests/saver_test_support.h"

namespace {

const uint32_t kInputAt = 3000;
const uint32_t kCheckAt = 4000;
const uint32_t kEndAt = 5000;

struct InputCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  bool closes;
};

class DismissalTest : public SaverTest {
 protected:
  // Starts saving mode, delivers `message` once, and reports whether the saver was gone a second later.
  bool ClosesSaver(UINT message, WPARAM wParam) {
    bool alive = false;
    PostToSaverAt(kInputAt, message, wParam);
    CheckAliveAt(kCheckAt, &alive);
    PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
    EXPECT_EQ(0, RunMode("/s"));
    return !alive;
  }
};

TEST_F(DismissalTest, InputMessagesInSavingMode) {
  const InputCase cases[] = {
      {"key press", WM_KEYDOWN, 'A', true},
      {"system key press", WM_SYSKEYDOWN, VK_SHIFT, true},
      {"left button", WM_LBUTTONDOWN, 0, true},
      {"right button", WM_RBUTTONDOWN, 0, true},
      {"middle button", WM_MBUTTONDOWN, 0, true},
      {"another application activated", WM_ACTIVATEAPP, FALSE, true},
      {"this application activated", WM_ACTIVATEAPP, TRUE, false},
      {"key release", WM_KEYUP, 'A', false},
      {"character", WM_CHAR, 'a', false},
      {"double-click", WM_LBUTTONDBLCLK, 0, false},
      {"button release", WM_LBUTTONUP, 0, false},
      {"next window", WM_SYSCOMMAND, SC_NEXTWINDOW, false},
      {"previous window", WM_SYSCOMMAND, SC_PREVWINDOW, false},
      {"screen save", WM_SYSCOMMAND, SC_SCREENSAVE, false},
      {"close command", WM_SYSCOMMAND, SC_CLOSE, true},
  };
  for (const InputCase& c : Fresh(cases)) {
    EXPECT_EQ(c.closes, ClosesSaver(c.message, c.wParam)) << c.name;
  }
}

TEST_F(DismissalTest, IgnoredSystemCommandsNeverReachTheDefaultProcedure) {
  for (WPARAM command : Fresh({SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE})) {
    ClosesSaver(WM_SYSCOMMAND, command);
    for (const std::string& call : HeadlessCallsOf("DefWindowProcA")) {
      EXPECT_EQ(std::string::npos, call.find("msg=274")) << call;
    }
  }
}

TEST_F(DismissalTest, SystemCommandsAreComparedWithoutTheirFourLowBits) {
  // The system keeps flags of its own in the four low bits of a command.
  const struct {
    WPARAM command;
    bool ignored;
    bool closes;
  } cases[] = {{SC_NEXTWINDOW | 0x1, true, false},
               {SC_PREVWINDOW | 0xF, true, false},
               {SC_SCREENSAVE | 0x2, true, false},
               {SC_CLOSE | 0x3, false, true},
               {SC_MINIMIZE | 0x5, false, false}};
  for (const auto& c : Fresh(cases)) {
    EXPECT_EQ(c.closes, ClosesSaver(WM_SYSCOMMAND, c.command)) << std::hex << c.command;
    bool reachedDefault = false;
    for (const std::string& call : HeadlessCallsOf("DefWindowProcA"))
      reachedDefault |= call.find("msg=274 wp=" + std::to_string(c.command)) != std::string::npos;
    EXPECT_EQ(!c.ignored, reachedDefault) << std::hex << c.command;
  }
}

TEST_F(DismissalTest, AppearingUnderAStillCursorIsNoTravel) {
  // The system reports a mouse move to a window that appears under the cursor.
  HeadlessSetCursor(700, 500);
  bool alive = false;
  CheckAliveAt(kCheckAt, &alive);
  PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
  RunMode("/s");
  EXPECT_TRUE(alive);
  int moves = 0;
  for (const HeadlessMessage& m : HeadlessMessages())
    moves += m.message == WM_MOUSEMOVE ? 1 : 0;
  EXPECT_EQ(1, moves);
}

TEST_F(DismissalTest, MouseTravelAboveFourPixelsCloses) {
  struct Travel {
    int dx, dy;
    bool closes;
  } travels[] = {{3, 1, false}, {4, 0, false}, {0, -4, false}, {4, 1, true}, {-5, 0, true}, {-3, 2, true}};
  for (const Travel& t : Fresh(travels)) {
    HeadlessSetCursor(500, 400);
    HeadlessAt(kInputAt, [=] { HeadlessMoveCursor(500 + t.dx, 400 + t.dy); });
    bool alive = false;
    CheckAliveAt(kCheckAt, &alive);
    PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
    EXPECT_EQ(0, RunMode("/s"));
    EXPECT_EQ(t.closes, !alive) << "travel " << t.dx << "," << t.dy;
  }
}

TEST_F(DismissalTest, SmallMovesAddUpAgainstTheFirstPosition) {
  HeadlessSetCursor(100, 100);
  HeadlessAt(kInputAt, [] { HeadlessMoveCursor(102, 100); });
  HeadlessAt(kInputAt + 100, [] { HeadlessMoveCursor(104, 100); });
  HeadlessAt(kInputAt + 200, [] { HeadlessMoveCursor(104, 101); });
  bool alive = false;
  CheckAliveAt(kCheckAt, &alive);
  PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
  RunMode("/s");
  EXPECT_FALSE(alive);
}

TEST_F(DismissalTest, CursorIsHiddenOverTheSaver) {
  PostToSaverAt(kInputAt, WM_SETCURSOR);
  PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
  RunMode("/s");
  std::vector<std::string> calls = HeadlessCallsOf("SetCursor");
  ASSERT_GE(calls.size(), 2u) << "hidden at creation and on WM_SETCURSOR";
  for (const std::string& call : calls)
    EXPECT_EQ("0", call);
}

TEST_F(DismissalTest, CursorIsHiddenAgainOnEverySetCursor) {
  // Between the moves something else shows the cursor; every small move must hide it again.
  const HCURSOR arrow = reinterpret_cast<HCURSOR>(0x5001);
  HeadlessSetCursor(500, 400);
  std::vector<HCURSOR> shapes;
  WatchCursorOverSmallMoves(kInputAt, 500, 400, arrow, &shapes);
  bool alive = false;
  CheckAliveAt(kCheckAt, &alive);
  PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
  RunMode("/s");
  EXPECT_TRUE(alive);
  EXPECT_EQ(std::vector<HCURSOR>(4, nullptr), shapes);
}

TEST_F(DismissalTest, SecondSaverOnlyBringsTheFirstForward) {
  HWND first = nullptr;
  int secondResult = 99;
  HeadlessAt(kInputAt, [&] {
    first = hostState.saverWindow;
    HostState saved = hostState;
    hostState = HostState();
    SetForegroundWindow(HeadlessCreateForeignWindow("Other", 10, 10));
    secondResult = RunMode("/s");
    hostState = saved;
  });
  bool alive = false;
  CheckAliveAt(kCheckAt, &alive);
  PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
  EXPECT_EQ(0, RunMode("/s"));
  EXPECT_EQ(0, secondResult);
  EXPECT_TRUE(alive);
  EXPECT_EQ(1, CountCalls("CreateWindowExA"));
  std::vector<std::string> foreground = HeadlessCallsOf("SetForegroundWindow");
  ASSERT_FALSE(foreground.empty());
  EXPECT_EQ(HandleText(first), foreground.back());
}

TEST_F(DismissalTest, SaverWindowIsATopmostFullScreenPopup) {
  HeadlessSetScreen(1280, 1024);
  HWND window = nullptr;
  HeadlessAt(kInputAt, [&] { window = hostState.saverWindow; });
  PostToSaverAt(kInputAt + 1, WM_KEYDOWN, 'Q');
  RunMode("/s");
  ASSERT_EQ(1, CountCalls("CreateWindowExA"));
  EXPECT_EQ(
      "ex=8 class=WindowsScreenSaverClass title=Screen Saver style=2516582400 x=0 y=0 w=1280 h=1024 parent=0",
      HeadlessCallsOf("CreateWindowExA")[0]);
  EXPECT_EQ("WindowsScreenSaverClass style=43", HeadlessCallsOf("RegisterClassA")[0]);
  EXPECT_FALSE(IsWindow(window));
}

class PreviewDismissalTest : public SaverTest {
 protected:
  HWND host = nullptr;
  void SetUp() override {
    SaverTest::SetUp();
    host = HeadlessCreateForeignWindow("Display Properties", 152, 112);
  }
  int RunPreview() { return RunMode("/p " + WindowNumber(host)); }
};

TEST_F(PreviewDismissalTest, NoInputEndsThePreview) {
  const UINT inputs[] = {WM_KEYDOWN,     WM_SYSKEYDOWN,  WM_LBUTTONDOWN,
                         WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_MOUSEMOVE};
  uint32_t at = kInputAt;
  for (UINT input : inputs)
    PostToSaverAt(at += 10, input);
  HeadlessAt(at += 10, [] { HeadlessSetCursor(600, 600); });
  PostToSaverAt(at += 10, WM_MOUSEMOVE);
  PostToSaverAt(at += 10, WM_ACTIVATEAPP, FALSE);
  PostToSaverAt(at += 10, WM_SYSCOMMAND, SC_SCREENSAVE);
  bool alive = false;
  CheckAliveAt(kCheckAt, &alive);
  HeadlessAt(kEndAt, [] { DestroyWindow(hostState.saverWindow); });
  EXPECT_EQ(0, RunPreview());
  EXPECT_TRUE(alive);
  EXPECT_EQ(0, CountCalls("SetCursor")) << "the preview leaves the cursor alone";
  EXPECT_EQ(1, CountCalls("DefWindowProcA")) << "the screen-save command is handled normally";
}

// The child is made with its host's DPI awareness, which the thread takes only for the creation,
// where the system has both functions for it.
TEST_F(PreviewDismissalTest, ChildFillsTheHostsClientAreaWithTheHostsDpiAwareness) {
  const struct {
    const char* what;
    DPI_AWARENESS_CONTEXT hostAwareness;
    const char* missing;  // USER32's export taken away
    DPI_AWARENESS_CONTEXT previewAwareness;
    const char* calls;
  } cases[] = {
      {"per-monitor v2 host", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, nullptr,
       DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, "get set create set"},
      {"per-monitor host", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, nullptr,
       DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, "get set create set"},
      {"system-aware host", DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, nullptr, DPI_AWARENESS_CONTEXT_SYSTEM_AWARE,
       "get set create set"},
      {"unaware host", DPI_AWARENESS_CONTEXT_UNAWARE, nullptr, DPI_AWARENESS_CONTEXT_UNAWARE,
       "get set create set"},
      {"no GetWindowDpiAwarenessContext", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
       "GetWindowDpiAwarenessContext", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, "create"},
      {"no SetThreadDpiAwarenessContext", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
       "SetThreadDpiAwarenessContext", DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, "create"},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetWindowDpiAwareness(host, c.hostAwareness);
    if (c.missing)
      HeadlessRemoveExport("USER32.DLL", c.missing);
    DPI_AWARENESS_CONTEXT previewAwareness = nullptr;
    HeadlessAt(kInputAt, [&] {
      previewAwareness = HeadlessWindowDpiAwareness(hostState.saverWindow);
      DestroyWindow(hostState.saverWindow);
    });
    EXPECT_EQ(0, RunPreview()) << c.what;
    ASSERT_EQ(1, CountCalls("CreateWindowExA")) << c.what;
    EXPECT_EQ(
        "ex=0 class=WindowsScreenSaverClass title=Preview style=1375731712 x=0 y=0 w=152 h=112 parent=" +
            HandleText(host),
        HeadlessCallsOf("CreateWindowExA")[0])
        << c.what;
    EXPECT_EQ(c.previewAwareness, previewAwareness) << c.what;
    EXPECT_EQ(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, HeadlessThreadDpiAwareness()) << c.what;
    std::string calls;
    for (const std::string& name : HeadlessCallNames()) {
      const char* shortName = name == "GetWindowDpiAwarenessContext"   ? "get"
                              : name == "SetThreadDpiAwarenessContext" ? "set"
                              : name == "CreateWindowExA"              ? "create"
                                                                       : nullptr;
      if (shortName)
        calls += (calls.empty() ? "" : " ") + std::string(shortName);
    }
    EXPECT_EQ(c.calls, calls) << c.what;
  }
}

TEST_F(PreviewDismissalTest, HelpRequestsGoToTheHostWithItsOwnHandle) {
  PostToSaverAt(kInputAt, WM_CONTEXTMENU, 0, MAKELONG(20, 30));
  HeadlessAt(kInputAt + 10, [] { SendMessageA(hostState.saverWindow, WM_HELP, 0, 0x1234); });
  HeadlessAt(kEndAt, [] { DestroyWindow(hostState.saverWindow); });
  RunPreview();
  std::vector<HeadlessMessage> atHost;
  for (const HeadlessMessage& m : HeadlessMessages()) {
    if (m.window == host && (m.message == WM_CONTEXTMENU || m.message == WM_HELP))
      atHost.push_back(m);
  }
  ASSERT_EQ(2u, atHost.size());
  EXPECT_EQ(static_cast<UINT>(WM_CONTEXTMENU), atHost[0].message);
  EXPECT_EQ(reinterpret_cast<WPARAM>(host), atHost[0].wParam);
  EXPECT_EQ(MAKELONG(20, 30), atHost[0].lParam);
  EXPECT_EQ(static_cast<UINT>(WM_HELP), atHost[1].message);
  EXPECT_EQ(0x1234, atHost[1].lParam);
}

TEST_F(PreviewDismissalTest, NeverLoadsThePasswordVerifier) {
  HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
  HeadlessRegistrySetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
  HeadlessAddModule("PASSWORD.CPL", false);
  HeadlessAt(kInputAt, [] { DestroyWindow(hostState.saverWindow); });
  RunPreview();
  EXPECT_EQ(0, CountCalls("LoadLibraryA"));
}

}  // namespace
