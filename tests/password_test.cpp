// Windows 95 with a screen-saver password: the verifier is asked before the saver closes.
#include <string>
#include <vector>

#include "host/dismissal.h"
#include "host/host_state.h"
#include "tests/saver_test_support.h"

namespace {

std::vector<BOOL> verifierAnswers;
std::vector<uint32_t> verifierAskedAt;
HWND verifierOwner;

BOOL WINAPI ScriptedVerifier(HWND owner) {
  verifierOwner = owner;
  verifierAskedAt.push_back(HeadlessNow());
  EXPECT_TRUE(hostState.verifying);
  // Input that the verifier's own dialog lets through must not request another close.
  SendMessageA(owner, WM_KEYDOWN, 'X', 0);
  BOOL answer = verifierAnswers.empty() ? TRUE : verifierAnswers.front();
  if (!verifierAnswers.empty())
    verifierAnswers.erase(verifierAnswers.begin());
  HeadlessSetNow(HeadlessNow() + 50);
  return answer;
}

class PasswordTest : public SaverTest {
 protected:
  void SetUp() override {
    SaverTest::SetUp();
    verifierAnswers.clear();
    verifierAskedAt.clear();
    verifierOwner = nullptr;
    HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
    HeadlessAddModule("PASSWORD.CPL", false);
  }
  void AskForPassword(DWORD value) {
    HeadlessRegistrySetDword(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", value);
  }
  void ProvideVerifier() {
    HeadlessAddExport("PASSWORD.CPL", "VerifyScreenSavePwd", AsExport(ScriptedVerifier));
  }
  std::vector<std::string> ScreenSaverRunningCalls() { return HeadlessCallsOf("SystemParametersInfoA"); }
};

TEST_F(PasswordTest, RefusedPasswordKeepsTheSaverAndTheCursorBecomesTheReference) {
  AskForPassword(1);
  ProvideVerifier();
  verifierAnswers = {FALSE, TRUE};
  HeadlessSetCursor(10, 10);
  HeadlessAt(3000, [] { HeadlessMoveCursor(30, 10); });
  bool alive = false;
  CheckAliveAt(3500, &alive);
  HeadlessAt(3600, [] { HeadlessMoveCursor(32, 12); });
  HeadlessAt(3700, [] { HeadlessMoveCursor(32, 13); });
  EXPECT_EQ(0, RunMode("/s"));
  EXPECT_TRUE(alive);
  ASSERT_EQ(2u, verifierAskedAt.size()) << "a still mouse after the refusal must not ask again";
  EXPECT_EQ(3700u, verifierAskedAt[1]);
  EXPECT_EQ(hostState.saverWindow, verifierOwner);
  EXPECT_EQ((std::vector<std::string>{"97 1 0", "97 0 0"}), ScreenSaverRunningCalls());
  EXPECT_EQ(0, HeadlessModuleLoadCount("PASSWORD.CPL"));
}

TEST_F(PasswordTest, CloseWithin200MillisecondsOfTheAnswerIsDropped) {
  AskForPassword(1);
  ProvideVerifier();
  verifierAnswers = {FALSE, TRUE};
  PostToSaverAt(3000, WM_KEYDOWN, 'A');
  HeadlessAt(3000, [] {
    uint32_t answered = HeadlessNow() + 50;
    PostToSaverAt(answered + 199, WM_KEYDOWN, 'B');
    PostToSaverAt(answered + 200, WM_KEYDOWN, 'C');
  });
  EXPECT_EQ(0, RunMode("/s"));
  ASSERT_EQ(2u, verifierAskedAt.size());
  EXPECT_EQ(3050u + 200u, verifierAskedAt[1]);
}

TEST_F(PasswordTest, AtMostTwoQueuedTicksAreDiscardedBeforeAsking) {
  AskForPassword(1);
  ProvideVerifier();
  int ticksLeft = -1;
  HeadlessAt(3000, [&] {
    HWND window = hostState.saverWindow;
    for (int i = 0; i < 3; ++i)
      PostMessageA(window, WM_TIMER, 1, 0);
    EXPECT_TRUE(VerifyBeforeClose(window));
    ticksLeft = 0;
    MSG message;
    while (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE))
      ++ticksLeft;
    DestroyWindow(window);
  });
  RunMode("/s");
  EXPECT_EQ(1, ticksLeft);
  std::vector<std::string> peeks = HeadlessCallsOf("PeekMessageA");
  ASSERT_GE(peeks.size(), 2u);
  EXPECT_EQ(HandleText(hostState.saverWindow) + " first=275 last=275 flags=3", peeks[0]);
}

TEST_F(PasswordTest, VerificationIsNotReenteredAndClosingIsFinal) {
  hostState.onWindows95 = TRUE;
  hostState.verifyPassword = ScriptedVerifier;
  hostState.verifying = TRUE;
  EXPECT_FALSE(VerifyBeforeClose(nullptr));
  hostState.verifying = FALSE;
  hostState.closing = TRUE;
  EXPECT_FALSE(VerifyBeforeClose(nullptr));
  EXPECT_TRUE(verifierAskedAt.empty());
}

// The setting is a DWORD, or the same number as text.
TEST_F(PasswordTest, WithoutPasswordTheFirstInputCloses) {
  const struct {
    const char* what;
    DWORD type;
    std::vector<BYTE> setting;
    bool asks;
  } cases[] = {
      {"no setting", REG_NONE, {}, false},
      {"the number 0", REG_DWORD, {0, 0, 0, 0}, false},
      {"the text \"0\"", REG_SZ, {'0', 0}, false},
      {"the text \"1\"", REG_SZ, {'1', 0}, true},
  };
  for (const auto& c : Fresh(cases)) {
    if (c.type != REG_NONE)
      HeadlessRegistrySet(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", c.type,
                          c.setting);
    ProvideVerifier();
    PostToSaverAt(3000, WM_KEYDOWN, 'A');
    EXPECT_EQ(0, RunMode("/s")) << c.what;
    EXPECT_EQ(c.asks, !verifierAskedAt.empty()) << c.what;
    EXPECT_EQ(c.asks ? 1 : 0, CountCalls("LoadLibraryA")) << c.what;
    EXPECT_EQ(c.asks, !ScreenSaverRunningCalls().empty())
        << "the system is told only when a verifier is loaded";
  }
}

TEST_F(PasswordTest, LibraryWithoutTheEntryIsFreedAtOnce) {
  AskForPassword(1);
  PostToSaverAt(3000, WM_KEYDOWN, 'A');
  EXPECT_EQ(0, RunMode("/s"));
  EXPECT_EQ(1, CountCalls("LoadLibraryA"));
  EXPECT_EQ(1, CountCalls("FreeLibrary"));
  EXPECT_TRUE(ScreenSaverRunningCalls().empty());
}

TEST_F(PasswordTest, WindowsNtClosesAtOnceAndDestroysTheWindowAfterTheLoop) {
  HeadlessSetPlatform(VER_PLATFORM_WIN32_NT);
  AskForPassword(1);
  ProvideVerifier();
  PostToSaverAt(3000, WM_KEYDOWN, 'A');
  EXPECT_EQ(0, RunMode("/s"));
  EXPECT_TRUE(verifierAskedAt.empty());
  EXPECT_EQ(2, CountCalls("DestroyWindow"));
}

TEST_F(PasswordTest, Windows95LeavesTheWindowAloneAfterTheLoop) {
  PostToSaverAt(3000, WM_KEYDOWN, 'A');
  EXPECT_EQ(0, RunMode("/s"));
  EXPECT_EQ(1, CountCalls("DestroyWindow"));
}

TEST_F(PasswordTest, CrashEndsTheSaverRunningStateOnlyWhenTheProcessEnds) {
  const struct {
    const char* what;
    DWORD platform;
    LONG verdict;
    bool runningBefore;
    bool runningAfter;
  } cases[] = {
      {"Windows 95, the process ends", VER_PLATFORM_WIN32_WINDOWS, EXCEPTION_EXECUTE_HANDLER, true, false},
      {"Windows 95, the search goes on", VER_PLATFORM_WIN32_WINDOWS, EXCEPTION_CONTINUE_SEARCH, true, true},
      {"Windows 95, execution goes on", VER_PLATFORM_WIN32_WINDOWS, EXCEPTION_CONTINUE_EXECUTION, true, true},
      {"Windows NT, the process ends", VER_PLATFORM_WIN32_NT, EXCEPTION_EXECUTE_HANDLER, false, false},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetPlatform(c.platform);
    AskForPassword(1);
    ProvideVerifier();
    HeadlessSetSystemExceptionVerdict(c.verdict);
    bool before = false, after = false;
    LONG verdict = 0;
    int stateCalls = 0;
    HeadlessAt(3000, [&] {
      before = HeadlessScreenSaverRunning();
      const int callsBefore = CountCalls("SystemParametersInfoA");
      verdict = HeadlessRaiseUnhandledException();
      after = HeadlessScreenSaverRunning();
      stateCalls = CountCalls("SystemParametersInfoA") - callsBefore;
    });
    PostToSaverAt(4000, WM_KEYDOWN, 'Q');
    RunMode("/s");
    EXPECT_EQ(c.verdict, verdict) << c.what;
    EXPECT_EQ(c.runningBefore, before) << c.what;
    EXPECT_EQ(c.runningAfter, after) << c.what;
    EXPECT_EQ(c.runningBefore && !c.runningAfter ? 1 : 0, stateCalls) << c.what;
  }
}

}  // namespace
