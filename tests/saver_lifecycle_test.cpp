// The saver window's creation, erase rule and destruction, in saving and preview mode.
#include <string>
#include <vector>

#include "app/saver_proc.h"
#include "app/saver_state.h"
#include "headless/control_gdi.h"
#include "headless/control_resources.h"
#include "host/host_state.h"
#include "tests/saver_test_support.h"

namespace {

using Strings = std::vector<std::string>;

const char kDepthMessage[] =
    "Sorry, this screen saver can only run with a 256 color or higher display.\n"
    "Please go to settings in your display properties and choose 256 color or higher.";

class LifecycleTest : public SaverTest {
 protected:
  HWND host = nullptr;
  int RunSavingBriefly() {
    PostToSaverAt(2000, WM_KEYDOWN, 'A');
    return RunMode("/s");
  }
  int RunPreviewBriefly(int width, int height) {
    host = HeadlessCreateForeignWindow("Display Properties host", width, height);
    HeadlessAt(2000, [] { DestroyWindow(hostState.saverWindow); });
    return RunMode("/p " + WindowNumber(host));
  }
};

TEST_F(LifecycleTest, LogicalScreenIsTheScreenWhenSavingAnd640By480InPreview) {
  HeadlessSetScreen(1024, 768);
  RunSavingBriefly();
  EXPECT_EQ(1024, displayMetrics.logicalWidth);
  EXPECT_EQ(768, displayMetrics.logicalHeight);
  EXPECT_EQ(1024, displayMetrics.clientWidth);
  EXPECT_EQ(32, displayMetrics.bitsPerPixel);

  SetUp();
  HeadlessSetScreen(1024, 768);
  HeadlessSetBitsPerPixel(16);
  RunPreviewBriefly(152, 112);
  EXPECT_EQ(640, displayMetrics.logicalWidth);
  EXPECT_EQ(480, displayMetrics.logicalHeight);
  EXPECT_EQ(152, displayMetrics.clientWidth);
  EXPECT_EQ(112, displayMetrics.clientHeight);
  EXPECT_EQ(1024, displayMetrics.screenWidth);
  EXPECT_EQ(16, displayMetrics.bitsPerPixel);
}

TEST_F(LifecycleTest, FirstTenErasesPaintBlackAndAllAnswerOne) {
  HWND window = HeadlessCreateForeignWindow("erase target", 40, 30);
  HDC dc = GetDC(window);
  for (int i = 1; i <= 12; ++i)
    EXPECT_EQ(1, EraseSaverBackground(window, dc)) << "erase " << i;
  ReleaseDC(window, dc);
  Strings fills = HeadlessCallsOf("FillRect");
  ASSERT_EQ(10u, fills.size());
  EXPECT_EQ(HandleText(dc) + " 0,0,40,30 color=0", fills[0]);
}

TEST_F(LifecycleTest, UnsuitableDepthWhenSavingIsToldAndOffersTheDisplaySettings) {
  HeadlessSetBitsPerPixel(4);
  EXPECT_EQ(-1, RunMode("/s"));
  ASSERT_EQ(1u, HeadlessMessageBoxes().size());
  EXPECT_EQ(kDepthMessage, HeadlessMessageBoxes()[0].text);
  EXPECT_EQ("Lomlom_action_2 Error!", HeadlessMessageBoxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), HeadlessMessageBoxes()[0].type);
  EXPECT_EQ(Strings{"C:\\WINDOWS\\SYSTEM32\\control.exe cmd=control desk.cpl,@0,3 inherit=0 flags=0 cb=" +
                    std::to_string(sizeof(STARTUPINFOA)) + " show=5 w=640 h=480 startf=0"},
            HeadlessCallsOf("CreateProcessA"));
  EXPECT_EQ(1, CountCalls("WaitForSingleObject"));
  EXPECT_EQ(0, CountCalls("SetTimer"));
  EXPECT_EQ(0, CountCalls("RegOpenKeyExA")) << "nothing after the failed check";
}

TEST_F(LifecycleTest, OpenDisplaySettingsAreNotStartedAgain) {
  for (const char* title :
       Fresh({"Display Properties", "\x89\xE6\x96\xCA \x82\xCC\xCC\xDF\xDB\xCA\xDF\xC3\xA8"})) {
    HeadlessCreateForeignWindow(title, 400, 300);
    HeadlessSetBitsPerPixel(4);
    RunMode("/s");
    EXPECT_EQ(1u, HeadlessMessageBoxes().size());
    EXPECT_EQ(0, CountCalls("CreateProcessA"));
  }
}

TEST_F(LifecycleTest, ControlPanelThatCannotStartIsTold) {
  HeadlessSetBitsPerPixel(4);
  HeadlessFailCall("CreateProcessA");
  RunMode("/s");
  ASSERT_EQ(2u, HeadlessMessageBoxes().size());
  EXPECT_EQ("setup screen saver", HeadlessMessageBoxes()[1].text);
  EXPECT_EQ("Error", HeadlessMessageBoxes()[1].caption);
}

TEST_F(LifecycleTest, UnsuitableDepthInPreviewEndsSilently) {
  for (int depth : Fresh({4, 1, 33})) {
    HeadlessSetBitsPerPixel(depth);
    EXPECT_EQ(-1, RunPreviewBriefly(152, 112)) << depth;
    EXPECT_TRUE(HeadlessMessageBoxes().empty());
    EXPECT_EQ(0, CountCalls("CreateProcessA"));
    EXPECT_EQ(0, HeadlessWindowCount());
  }
}

TEST_F(LifecycleTest, EveryDisplayDepthFrom8To32Runs) {
  for (int depth : Fresh({8, 16, 24, 32})) {
    HeadlessSetBitsPerPixel(depth);
    EXPECT_EQ(0, RunSavingBriefly()) << depth;
    EXPECT_TRUE(HeadlessMessageBoxes().empty()) << depth;
  }
}

TEST_F(LifecycleTest, FailedCreationStillEndsWithTheQuitMessageOnly) {
  HeadlessFailCall("SetTimer");
  EXPECT_EQ(-1, RunMode("/s"));
  EXPECT_TRUE(HeadlessMessageBoxes().empty()) << "a refused SetTimer is not told";
  EXPECT_FALSE(saverState.initialised);
  EXPECT_EQ(0, CountCalls("KillTimer"));
  EXPECT_EQ(0, HeadlessWindowCount());
}

TEST_F(LifecycleTest, RefusedResolutionEndsBothModesWithItsMessage) {
  HeadlessFailCall("timeBeginPeriod");
  EXPECT_EQ(-1, RunMode("/s"));
  ASSERT_EQ(1u, HeadlessMessageBoxes().size());
  EXPECT_EQ("Resolution is out of range.", HeadlessMessageBoxes()[0].text);

  SetUp();
  HeadlessFailCall("timeBeginPeriod");
  EXPECT_EQ(-1, RunPreviewBriefly(152, 112));
  EXPECT_EQ(1u, HeadlessMessageBoxes().size());
}

TEST_F(LifecycleTest, MainPaletteIsRealisedAroundEveryTickOnlyAt8Bits) {
  struct Case {
    int depth;
    int palettesCreated;  // the all-black one at every depth, the main one only at 8 bits
    int realisations;     // the black one, then at creation, on activation and on each of the 9 ticks
  } cases[] = {{8, 2, 1 + 1 + 1 + 9}, {16, 1, 1}, {24, 1, 1}, {32, 1, 1}};
  for (const Case& c : Fresh(cases)) {
    HeadlessSetBitsPerPixel(c.depth);
    RunSavingBriefly();
    EXPECT_EQ(c.palettesCreated, CountCalls("CreatePalette")) << c.depth;
    EXPECT_EQ(c.realisations, CountCalls("RealizePalette")) << c.depth;
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << c.depth;
  }
}

// During creation the saver window is not yet active, so its palette is first realised in the
// background; once active, the saver maps it afresh and its colours take the screen at once.
TEST_F(LifecycleTest, MainPaletteTakesTheScreenWhenTheSaverBecomesActive) {
  for (int depth : Fresh({8, 32})) {
    HeadlessSetBitsPerPixel(depth);
    std::vector<PALETTEENTRY> shown;
    HeadlessAt(1050, [&] { shown = HeadlessSystemPalette(); });
    RunSavingBriefly();
    EXPECT_EQ(depth == 8 ? Strings{"UnrealizeObject"} : Strings{}, CallSequence({"UnrealizeObject"}, false))
        << depth;
    if (depth == 8) {
      ASSERT_EQ(256u, shown.size()) << "before the first tick";
      EXPECT_NE(0, shown[40].peRed + shown[40].peGreen + shown[40].peBlue) << "not the all-black palette";
    }
  }
}

TEST_F(LifecycleTest, FrameBufferFailureIsToldByItsKind) {
  struct Case {
    const char* api;
    const char* text;
  } cases[] = {{"CreateDIBSection", "Your computer doesn't have enough memory to run this program."},
               {"SelectObject", "Failed Initialization"}};
  for (const Case& c : Fresh(cases)) {
    HeadlessFailCall(c.api);
    EXPECT_EQ(-1, RunMode("/s")) << c.api;
    ASSERT_EQ(1u, HeadlessMessageBoxes().size()) << c.api;
    EXPECT_EQ(c.text, HeadlessMessageBoxes()[0].text) << c.api;
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << c.api;
  }
}

TEST_F(LifecycleTest, CreationFailingAtEachStepAt8BitsLeavesNoGdiObject) {
  // At 8 bits the main palette is selected into the window's own context while creation runs.
  const struct {
    const char* what;
    void (*fault)();
  } steps[] = {
      {"display check", [] { HeadlessFailCall("GetDC"); }},
      {"frame buffer context", [] { HeadlessFailCall("CreateCompatibleDC"); }},
      {"frame buffer bitmap", [] { HeadlessFailCall("CreateDIBSection"); }},
      {"frame buffer selection", [] { HeadlessFailCall("SelectObject"); }},
      {"animation library", [] { HeadlessRemoveResource("SPBMP", "IDR_SPBMP_LOGOJOY"); }},
      {"timer resolution", [] { HeadlessFailCall("timeBeginPeriod"); }},
      {"timer", [] { HeadlessFailCall("SetTimer"); }},
  };
  for (const auto& step : Fresh(steps)) {
    HeadlessSetBitsPerPixel(8);
    step.fault();
    EXPECT_EQ(-1, RunMode("/s")) << step.what;
    EXPECT_EQ(Strings(), HeadlessGdiLeftovers()) << step.what;
  }
}

TEST_F(LifecycleTest, TimerFailureReleasesWhatCreationBuilt) {
  for (const char* api : Fresh({"timeBeginPeriod", "SetTimer"})) {
    HeadlessFailCall(api);
    EXPECT_EQ(-1, RunMode("/s")) << api;
    EXPECT_EQ(nullptr, animationLibrary) << api;
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << api;
  }
}

// What creation built goes in a fixed order: the actor pool, the main palette, the frame buffer.
TEST_F(LifecycleTest, ReleasesInOrderAfterARunAndAfterAFailedPool) {
  struct Case {
    const char* failing;
    int exitCode;
    const char* message;
  } cases[] = {{nullptr, 0, nullptr}, {"HeapAlloc", -1, "Failed Initialization"}};
  for (const Case& c : Fresh(cases)) {
    HeadlessSetBitsPerPixel(8);
    if (c.failing)
      HeadlessFailCall(c.failing);
    EXPECT_EQ(c.exitCode, RunSavingBriefly());
    const Strings releases = CallSequence({"HeapFree", "DeleteObject", "DeleteDC"}, false);
    // The all-black palette goes at once at the start; then the pool (when there is one), the main
    // palette, and the frame buffer's context before its bitmap.
    Strings expected = {"DeleteObject", "HeapFree", "DeleteObject", "DeleteDC", "DeleteObject"};
    if (c.failing)
      expected.erase(expected.begin() + 1);
    EXPECT_EQ(expected, releases) << (c.failing ? c.failing : "a whole run");
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << (c.failing ? c.failing : "a whole run");
    Strings messages;
    for (const HeadlessMessageBox& box : HeadlessMessageBoxes())
      messages.push_back(box.text);
    EXPECT_EQ(c.message ? Strings{c.message} : Strings{}, messages);
  }
}

TEST_F(LifecycleTest, FailedPoolInPreviewShowsNothing) {
  HeadlessFailCall("HeapAlloc");
  EXPECT_EQ(-1, RunPreviewBriefly(152, 112));
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(LifecycleTest, ErrorMessagesByKind) {
  struct Case {
    ErrorKind kind;
    const char* text;
    UINT icon;
  } cases[] = {
      {ErrorKind::kNoMemory, "Your computer doesn't have enough memory to run this program.",
       MB_ICONEXCLAMATION},
      {ErrorKind::kInitFailed, "Failed Initialization", MB_ICONHAND},
      {static_cast<ErrorKind>(7), "Failed Initialization", MB_ICONHAND},
      {ErrorKind::kDisplayDepth, kDepthMessage, MB_ICONEXCLAMATION},
  };
  for (const Case& c : cases) {
    HeadlessClearLogs();
    ReportError(nullptr, "Lomlom_action_2", c.kind);
    ASSERT_EQ(1u, HeadlessMessageBoxes().size());
    EXPECT_EQ(c.text, HeadlessMessageBoxes()[0].text);
    EXPECT_EQ(c.icon, HeadlessMessageBoxes()[0].type);
  }
  HeadlessClearLogs();
  ReportError(nullptr, "Lomlom_action_2", ErrorKind::kNone);
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
  std::string longTitle(600, 'x');
  ReportError(nullptr, longTitle.c_str(), ErrorKind::kInitFailed);
  EXPECT_EQ(511u, HeadlessMessageBoxes()[0].caption.size()) << "the caption is cut to its buffer";
}

}  // namespace
