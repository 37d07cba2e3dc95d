// Saving mode on several monitors: a black topmost cover over each monitor but the primary, input on
// a cover ends the saver as input on the saver window does, and the covers go with the saver.
#include <functional>
#include <string>
#include <vector>

#include "app/saver_state.h"
#include "headless/control_gdi.h"
#include "host/host_state.h"
#include "host/monitor_covers.h"
#include "tests/saver_test_support.h"

namespace {

const uint32_t kInputAt = 3000;
const uint32_t kCheckAt = 4000;
const uint32_t kEndAt = 5000;
const HCURSOR kArrow = reinterpret_cast<HCURSOR>(0x5001);

// A smaller monitor to the right of the primary, as in the end-to-end case.
const std::vector<RECT> kSideBySide = {{0, 0, 1024, 768}, {1024, 0, 1824, 600}};

std::vector<HWND> Covers() {
  std::vector<HWND> covers;
  for (HWND window : HeadlessWindows()) {
    if (HeadlessClassName(window) == kCoverClassName)
      covers.push_back(window);
  }
  return covers;
}

std::vector<std::string> CoverRects() {
  std::vector<std::string> rects;
  for (HWND cover : Covers())
    rects.push_back(RectText(HeadlessWindowRect(cover)));
  return rects;
}

int CoverCreations() {
  int count = 0;
  for (const std::string& call : HeadlessCallsOf("CreateWindowExA"))
    count += call.find(std::string("class=") + kCoverClassName) != std::string::npos ? 1 : 0;
  return count;
}

class MonitorCoversTest : public SaverTest {
 protected:
  // Runs saving mode: `act` at kInputAt, a look at kCheckAt, a key for the saver window at kEndAt.
  // Returns whether the saver was still there at kCheckAt.
  bool RunWith(std::function<void()> act, int* exitCode = nullptr) {
    bool alive = false;
    HeadlessAt(kInputAt, std::move(act));
    CheckAliveAt(kCheckAt, &alive);
    PostToSaverAt(kEndAt, WM_KEYDOWN, 'Q');
    const int result = RunMode("/s");
    if (exitCode)
      *exitCode = result;
    return alive;
  }
};

TEST_F(MonitorCoversTest, OneMonitorMakesNothingExtra) {
  for (bool layoutSet : Fresh({false, true})) {
    if (layoutSet)
      HeadlessSetMonitors({{0, 0, 1280, 1024}});
    int windows = 0;
    int exitCode = -1;
    EXPECT_TRUE(RunWith([&] { windows = HeadlessWindowCount(); }, &exitCode));
    EXPECT_EQ(0, exitCode);
    EXPECT_EQ(1, windows) << layoutSet;
    EXPECT_EQ(1, CountCalls("CreateWindowExA")) << layoutSet;
    EXPECT_EQ(1, CountCalls("RegisterClassA")) << "no class of covers either";
  }
}

TEST_F(MonitorCoversTest, EachOtherMonitorGetsABlackTopmostPopupOfItsRectangle) {
  const struct {
    const char* name;
    std::vector<RECT> monitors;
  } layouts[] = {
      {"a smaller monitor to the right", kSideBySide},
      {"a larger monitor to the left, reaching higher", {{0, 0, 1024, 768}, {-1920, -312, 0, 768}}},
      {"one to the left and above, one above",
       {{0, 0, 1280, 1024}, {-800, -100, 0, 500}, {0, -1200, 1600, 0}}},
  };
  for (const auto& layout : Fresh(layouts)) {
    HeadlessSetMonitors(layout.monitors);
    const RECT& primary = layout.monitors[0];
    std::vector<std::string> expected;
    for (size_t i = 1; i < layout.monitors.size(); ++i)
      expected.push_back(RectText(layout.monitors[i]));

    std::vector<std::string> rects;
    HWND foreground = nullptr;
    std::vector<std::string> faults;
    EXPECT_TRUE(RunWith([&] {
      rects = CoverRects();
      foreground = HeadlessForeground();
      for (HWND cover : Covers()) {
        const WNDCLASSA windowClass = HeadlessWindowClass(cover);
        if (HeadlessStyle(cover) != static_cast<DWORD>(WS_POPUP | WS_VISIBLE))
          faults.push_back("style " + std::to_string(HeadlessStyle(cover)));
        if (HeadlessExStyle(cover) != static_cast<DWORD>(WS_EX_TOPMOST))
          faults.push_back("extended style " + std::to_string(HeadlessExStyle(cover)));
        if (!HeadlessIsVisible(cover))
          faults.push_back("not visible");
        if (GetParent(cover) != hostState.saverWindow)
          faults.push_back("not owned by the saver window");
        if (windowClass.hbrBackground != GetStockObject(BLACK_BRUSH))
          faults.push_back("background is not the black brush");
        if (windowClass.hCursor)
          faults.push_back("the class has a cursor");
        const HeadlessSurface surface = HeadlessWindowSurface(cover);
        for (uint32_t pixel : surface.pixels) {
          if (pixel != 0) {
            faults.push_back("a pixel that is not black");
            break;
          }
        }
      }
    }));
    EXPECT_EQ(expected, rects) << layout.name;
    EXPECT_EQ(std::vector<std::string>(), faults) << layout.name;
    EXPECT_EQ(hostState.saverWindow, foreground) << layout.name;
    // The saver itself stays on the primary monitor, exactly as on one monitor.
    EXPECT_EQ("ex=8 class=WindowsScreenSaverClass title=Screen Saver style=2516582400 x=0 y=0 w=" +
                  std::to_string(primary.right) + " h=" + std::to_string(primary.bottom) + " parent=0",
              HeadlessCallsOf("CreateWindowExA")[0])
        << layout.name;
    EXPECT_EQ(primary.right, displayMetrics.logicalWidth) << layout.name;
    EXPECT_EQ(primary.bottom, displayMetrics.logicalHeight) << layout.name;
    EXPECT_EQ(0, HeadlessWindowCount()) << layout.name << ": the covers went with the saver";
  }
}

TEST_F(MonitorCoversTest, InputOverASecondMonitorEndsTheSaverAsOverTheSaverWindow) {
  const POINT start = {1300, 300};
  const struct {
    const char* name;
    std::function<void()> act;
    bool closes;
  } cases[] = {
      {"key while the cover has the focus",
       [] {
         SetForegroundWindow(Covers().at(0));
         HeadlessUserInput(WM_KEYDOWN, 'A');
       },
       true},
      {"system key while the cover has the focus",
       [] {
         SetForegroundWindow(Covers().at(0));
         HeadlessUserInput(WM_SYSKEYDOWN, VK_SHIFT);
       },
       true},
      {"key while the saver window has the focus", [] { HeadlessUserInput(WM_KEYDOWN, 'A'); }, true},
      {"left button", [] { HeadlessUserInput(WM_LBUTTONDOWN); }, true},
      {"right button", [] { HeadlessUserInput(WM_RBUTTONDOWN); }, true},
      {"middle button", [] { HeadlessUserInput(WM_MBUTTONDOWN); }, true},
      {"5 pixels of travel", [=] { HeadlessMoveCursor(start.x + 3, start.y + 2); }, true},
      {"onto the primary monitor", [=] { HeadlessMoveCursor(600, 300); }, true},
      {"3 pixels of travel", [=] { HeadlessMoveCursor(start.x + 2, start.y - 1); }, false},
      {"4 pixels of travel", [=] { HeadlessMoveCursor(start.x - 4, start.y); }, false},
      {"button release", [] { HeadlessUserInput(WM_LBUTTONUP); }, false},
      {"double-click", [] { HeadlessUserInput(WM_LBUTTONDBLCLK); }, false},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors(kSideBySide);
    HeadlessSetCursor(start.x, start.y);
    int exitCode = -1;
    EXPECT_EQ(!c.closes, RunWith(c.act, &exitCode)) << c.name;
    EXPECT_EQ(0, exitCode) << c.name;
    EXPECT_EQ(0, HeadlessWindowCount()) << c.name;
  }
}

TEST_F(MonitorCoversTest, CursorIsHiddenOverACover) {
  HeadlessSetMonitors(kSideBySide);
  HeadlessSetCursor(1300, 300);
  std::vector<HCURSOR> shapes;
  WatchCursorOverSmallMoves(kInputAt, 1300, 302, kArrow, &shapes);
  EXPECT_TRUE(RunWith([] {}));
  EXPECT_EQ(std::vector<HCURSOR>(4, nullptr), shapes);
}

// Windows 95 with a password: the verifier is asked about the saver window.
int verifierCalls;
HWND verifierOwner;
std::vector<BOOL> verifierAnswers;

BOOL WINAPI VerifierSeeingCoverInput(HWND owner) {
  ++verifierCalls;
  verifierOwner = owner;
  // The verifier's own dialog lets input through to the covers; it must not ask for another close.
  for (HWND cover : Covers()) {
    SendMessageA(cover, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(cover, WM_KEYDOWN, 'X', 0);
  }
  HeadlessSetNow(HeadlessNow() + 50);
  const BOOL answer = verifierAnswers.empty() ? TRUE : verifierAnswers.front();
  if (!verifierAnswers.empty())
    verifierAnswers.erase(verifierAnswers.begin());
  return answer;
}

TEST_F(MonitorCoversTest, OnWindows95InputOnACoverGoesThroughTheVerifier) {
  const struct {
    const char* name;
    std::vector<BOOL> answers;
    int calls;
    bool aliveAfterInput;
  } cases[] = {{"accepted", {TRUE}, 1, false}, {"refused, then accepted", {FALSE, TRUE}, 2, true}};
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors(kSideBySide);
    HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
    HeadlessRegistrySetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", 1);
    HeadlessAddModule("PASSWORD.CPL", false);
    HeadlessAddExport("PASSWORD.CPL", "VerifyScreenSavePwd", AsExport(VerifierSeeingCoverInput));
    verifierCalls = 0;
    verifierOwner = nullptr;
    verifierAnswers = c.answers;
    HeadlessSetCursor(1300, 300);
    int coversAfterInput = -1;
    HeadlessAt(kInputAt + 500, [&] { coversAfterInput = static_cast<int>(Covers().size()); });
    HWND saver = nullptr;
    int exitCode = -1;
    EXPECT_EQ(c.aliveAfterInput, RunWith(
                                     [&] {
                                       saver = hostState.saverWindow;
                                       HeadlessUserInput(WM_LBUTTONDOWN);
                                     },
                                     &exitCode))
        << c.name;
    EXPECT_EQ(0, exitCode) << c.name;
    EXPECT_EQ(c.calls, verifierCalls) << c.name;
    EXPECT_EQ(saver, verifierOwner) << c.name;
    EXPECT_EQ(c.aliveAfterInput ? 1 : -1, coversAfterInput)
        << c.name << ": the covers stay while the saver does";
    EXPECT_EQ(0, HeadlessWindowCount()) << c.name;
  }
}

TEST_F(MonitorCoversTest, CoversGoWhenTheSaverGoes) {
  const struct {
    const char* name;
    DWORD platform;
    std::function<void()> end;
  } cases[] = {
      {"key, Windows NT", VER_PLATFORM_WIN32_NT, [] { HeadlessUserInput(WM_KEYDOWN, 'A'); }},
      {"key, Windows 95", VER_PLATFORM_WIN32_WINDOWS, [] { HeadlessUserInput(WM_KEYDOWN, 'A'); }},
      {"another application activated", VER_PLATFORM_WIN32_NT,
       [] { SendMessageA(hostState.saverWindow, WM_ACTIVATEAPP, FALSE, 0); }},
      {"close request to a cover", VER_PLATFORM_WIN32_NT,
       [] { PostMessageA(Covers().at(0), WM_CLOSE, 0, 0); }},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors({{0, 0, 1024, 768}, {1024, 0, 1824, 600}, {-1280, 0, 0, 1024}});
    HeadlessSetPlatform(c.platform);
    std::vector<HWND> covers;
    int exitCode = -1;
    EXPECT_FALSE(RunWith(
        [&] {
          covers = Covers();
          c.end();
        },
        &exitCode))
        << c.name;
    EXPECT_EQ(0, exitCode) << c.name;
    EXPECT_EQ(2u, covers.size()) << c.name;
    for (HWND cover : covers)
      EXPECT_FALSE(IsWindow(cover)) << c.name;
    EXPECT_EQ(0, HeadlessWindowCount()) << c.name;
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << c.name;
  }
}

TEST_F(MonitorCoversTest, AFailedCoverDoesNotStopTheSaver) {
  // A primary with one monitor to its left and one below.
  const std::vector<RECT> monitors = {{0, 0, 1024, 768}, {-800, 0, 0, 600}, {0, 768, 1024, 1536}};
  const struct {
    const char* name;
    std::function<void()> fault;
    std::vector<std::string> covered;
  } cases[] = {
      {"the first cover", [] { HeadlessFailCall("CreateWindowExA", 1, 1); }, {"0,768,1024,1536"}},
      {"the second cover", [] { HeadlessFailCall("CreateWindowExA", 1, 2); }, {"-800,0,0,600"}},
      {"the class of covers", [] { HeadlessFailCall("RegisterClassA", 1, 1); }, {}},
      {"a monitor's facts", [] { HeadlessFailCall("GetMonitorInfoA", 1, 1); }, {"0,768,1024,1536"}},
      {"the enumeration", [] { HeadlessFailCall("EnumDisplayMonitors"); }, {}},
      {"a system without EnumDisplayMonitors",
       [] { HeadlessRemoveExport("USER32.DLL", "EnumDisplayMonitors"); },
       {}},
      {"a system without GetMonitorInfoA", [] { HeadlessRemoveExport("USER32.DLL", "GetMonitorInfoA"); }, {}},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors(monitors);
    c.fault();
    std::vector<std::string> covered;
    int exitCode = -1;
    EXPECT_TRUE(RunWith([&] { covered = CoverRects(); }, &exitCode)) << c.name;
    EXPECT_EQ(0, exitCode) << c.name;
    EXPECT_EQ(c.covered, covered) << c.name;
    EXPECT_EQ(0, HeadlessWindowCount()) << c.name;
  }
}

TEST_F(MonitorCoversTest, OtherModesCoverNothing) {
  const struct {
    const char* name;
    DWORD platform;
    bool preview;
    const char* arguments;
  } cases[] = {
      {"preview", VER_PLATFORM_WIN32_NT, true, "/p "},
      {"configuration", VER_PLATFORM_WIN32_NT, false, "/c"},
      {"password change", VER_PLATFORM_WIN32_WINDOWS, false, "/a"},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors(kSideBySide);
    HeadlessSetPlatform(c.platform);
    std::string arguments = c.arguments;
    if (c.preview) {
      arguments += WindowNumber(HeadlessCreateForeignWindow("Display Properties", 152, 112));
      HeadlessAt(kInputAt, [] { DestroyWindow(hostState.saverWindow); });
    }
    RunMode(arguments);
    EXPECT_EQ(0, CountCalls("EnumDisplayMonitors")) << c.name;
    EXPECT_EQ(0, CoverCreations()) << c.name;
  }
}

}  // namespace
