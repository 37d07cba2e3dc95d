// The headless message queue hands messages out as GetMessage does on Windows: messages other
// threads sent, posted messages, input (keyboard and mouse in one queue of their own), paint, timers;
// consecutive mouse moves merged; a mouse move for a window that appears under the cursor.
#include <vector>

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

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
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

}  // namespace
