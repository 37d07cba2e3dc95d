// The process entry: how the command line picks a mode, and the exit code each mode ends with.
#include <string>

#include "host/entry.h"
#include "host/host_state.h"
#include "tests/saver_test_support.h"

namespace {

struct ArgumentCase {
  const char* commandLine;
  const char* argumentText;
};

TEST(ArgumentText, SkipsTheProgramNameAndTheWhiteSpaceAfterIt) {
  const ArgumentCase cases[] = {
      {"lomlom.scr /s", "/s"},
      {"lomlom.scr", ""},
      {"lomlom.scr \t  /p 1234", "/p 1234"},
      {"\"C:\\Program Files\\lomlom.scr\" /s", "/s"},
      {"\"C:\\Program Files\\lomlom.scr\"/s", "/s"},
      {"\"C:\\no closing quote /s", ""},
      {"lomlom.scr /\ts", "/\ts"},
      {"", ""},
  };
  for (const ArgumentCase& c : cases) {
    EXPECT_STREQ(c.argumentText, ArgumentText(c.commandLine)) << "command line: " << c.commandLine;
  }
}

TEST(ParseWindowHandle, ReadsLeadingDigitsAndWrapsModulo2To32) {
  EXPECT_EQ(1234u, ParseWindowHandle("1234"));
  EXPECT_EQ(12u, ParseWindowHandle("12ab34"));
  EXPECT_EQ(0u, ParseWindowHandle("abc"));
  EXPECT_EQ(0u, ParseWindowHandle("-5"));
  EXPECT_EQ(0u, ParseWindowHandle("\xB1"
                                  "5"));
  EXPECT_EQ(5u, ParseWindowHandle("4294967301"));
}

class ModeTest : public SaverTest {
 protected:
  // Ends the saver a little after it starts, so modes that open it return.
  void EndSaverSoon() { PostToSaverAt(HeadlessNow() + 500, WM_KEYDOWN, 'A'); }
};

TEST_F(ModeTest, SavingModeStartsFromAnyCaseAndSeparators) {
  for (const char* arguments : Fresh({"/s", "-S", " s", "/save", "s"})) {
    EndSaverSoon();
    EXPECT_EQ(0, RunMode(arguments)) << arguments;
    EXPECT_EQ(1, CountCalls("CreateWindowExA")) << arguments;
    EXPECT_FALSE(hostState.previewMode);
  }
}

TEST_F(ModeTest, NoLetterOpensTheConfigurationWithoutOwner) {
  for (const char* arguments : Fresh({"", "   ", "-/-/", "/"})) {
    HeadlessSetDialogScript([](HWND dialog) { HeadlessClickDialogButton(dialog, IDOK); });
    EXPECT_EQ(1, RunMode(arguments)) << '"' << arguments << '"';
    ASSERT_EQ(1, CountCalls("DialogBoxParamA"));
    EXPECT_NE(std::string::npos, HeadlessCallsOf("DialogBoxParamA")[0].find("template=2003 owner=0"));
  }
}

TEST_F(ModeTest, ConfigurationIsOwnedByTheForegroundWindowAndIgnoresTheRest) {
  HWND settings = HeadlessCreateForeignWindow("Display Properties", 400, 300);
  SetForegroundWindow(settings);
  HeadlessSetDialogScript([](HWND dialog) { HeadlessClickDialogButton(dialog, IDCANCEL); });
  EXPECT_EQ(0, RunMode("/c:1234"));
  ASSERT_EQ(1, CountCalls("DialogBoxParamA"));
  EXPECT_NE(std::string::npos, HeadlessCallsOf("DialogBoxParamA")[0].find("owner=" + HandleText(settings)));
}

TEST_F(ModeTest, PreviewStartsInsideAnExistingWindowGivenInAnyForm) {
  HWND host = HeadlessCreateForeignWindow("Display Properties", 152, 112);
  std::string number = WindowNumber(host);
  std::string wrapped = std::to_string(4294967296ull + reinterpret_cast<uintptr_t>(host));
  for (std::string arguments :
       Fresh({"/p " + number, "/p" + number, "/P   " + number, "/l " + number, "/p " + wrapped})) {
    host = HeadlessCreateForeignWindow("Display Properties", 152, 112);
    HeadlessAt(HeadlessNow() + 500, [] { DestroyWindow(hostState.saverWindow); });
    EXPECT_EQ(0, RunMode(arguments)) << arguments;
    EXPECT_TRUE(hostState.previewMode) << arguments;
    EXPECT_NE(std::string::npos, HeadlessCallsOf("CreateWindowExA")[0].find("title=Preview")) << arguments;
  }
}

TEST_F(ModeTest, UnusableArgumentsEndWithMinusOneAndShowNothing) {
  HeadlessCreateForeignWindow("Display Properties", 152, 112);
  for (const char* arguments :
       Fresh({"/p", "/p abc", "/p:1234", "/p 0", "/p 99999", "/x", "/a", "/\ts", "\t", "9"})) {
    EXPECT_EQ(-1, RunMode(arguments)) << arguments;
    EXPECT_EQ(0, CountCalls("CreateWindowExA")) << arguments;
    EXPECT_EQ(0, CountCalls("DialogBoxParamA")) << arguments;
    EXPECT_TRUE(HeadlessMessageBoxes().empty()) << arguments;
  }
}

HWND changedOwner;
DWORD WINAPI RecordPasswordChange(LPCSTR provider, HWND owner, DWORD flags, LPVOID reserved) {
  EXPECT_STREQ("SCRSAVE", provider);
  EXPECT_EQ(0u, flags);
  EXPECT_EQ(nullptr, reserved);
  changedOwner = owner;
  return 0;
}

TEST_F(ModeTest, PasswordChangeOnWindows95HandsOverTheOwner) {
  HWND settings = HeadlessCreateForeignWindow("Display Properties", 400, 300);
  HWND other = HeadlessCreateForeignWindow("Other", 10, 10);
  SetForegroundWindow(other);
  struct Case {
    std::string arguments;
    HWND owner;
  } cases[] = {{"/a " + WindowNumber(settings), settings}, {"/a", other}, {"/a 0", other}};
  for (const Case& c : cases) {
    HeadlessReset();
    HeadlessCreateForeignWindow("Display Properties", 400, 300);
    SetForegroundWindow(HeadlessCreateForeignWindow("Other", 10, 10));
    HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
    HeadlessAddModule("MPR.DLL", false);
    HeadlessAddExport("MPR.DLL", "PwdChangePasswordA", AsExport(RecordPasswordChange));
    changedOwner = nullptr;
    EXPECT_EQ(0, RunMode(c.arguments)) << c.arguments;
    EXPECT_EQ(c.owner, changedOwner) << c.arguments;
    EXPECT_EQ(0, HeadlessModuleLoadCount("MPR.DLL")) << "the library is freed again";
  }
}

TEST_F(ModeTest, PasswordChangeWithoutTheSystemComponentStillEndsWithZero) {
  HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
  EXPECT_EQ(0, RunMode("/a"));
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
}

TEST_F(ModeTest, FailedVersionQueryCountsAsWindowsNt) {
  HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
  HeadlessFailCall("GetVersionExA");
  EXPECT_EQ(-1, RunMode("/a"));
  EXPECT_FALSE(hostState.onWindows95);
}

TEST_F(ModeTest, EntryReadsTheProcessCommandLineAndExitsWithTheModeResult) {
  HeadlessSetCommandLine("\"C:\\dir with spaces\\lomlom.scr\" /x");
  try {
    SaverEntry();
    ADD_FAILURE() << "the entry returned";
  } catch (const HeadlessExit& exit) {
    EXPECT_EQ(static_cast<UINT>(-1), exit.code);
  }
  EXPECT_EQ(GetModuleHandleA(nullptr), hostState.instance);
}

}  // namespace
