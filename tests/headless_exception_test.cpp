// Headless unhandled exceptions: the process's top-level filter decides, or without one the system's
// own; and the system's "screen saver running" state that a filter may have to end.
#include "tests/saver_test_support.h"

namespace {

DWORD filteredCode = 0;

LONG WINAPI ContinueFilter(EXCEPTION_POINTERS* info) {
  filteredCode = info->ExceptionRecord->ExceptionCode;
  return EXCEPTION_CONTINUE_EXECUTION;
}

class HeadlessExceptionTest : public SaverTest {};

TEST_F(HeadlessExceptionTest, TheInstalledFilterDecidesElseTheSystemsOwn) {
  for (LONG verdict : {EXCEPTION_EXECUTE_HANDLER, EXCEPTION_CONTINUE_SEARCH}) {
    HeadlessSetSystemExceptionVerdict(verdict);
    EXPECT_EQ(verdict, HeadlessRaiseUnhandledException());
  }
  EXPECT_EQ(nullptr, SetUnhandledExceptionFilter(ContinueFilter));
  EXPECT_EQ(EXCEPTION_CONTINUE_EXECUTION, HeadlessRaiseUnhandledException(0xC0000094u));
  EXPECT_EQ(0xC0000094u, filteredCode);
  EXPECT_EQ(ContinueFilter, SetUnhandledExceptionFilter(nullptr));
  EXPECT_EQ(EXCEPTION_CONTINUE_SEARCH, HeadlessRaiseUnhandledException());
}

TEST_F(HeadlessExceptionTest, ScreenSaverRunningStateIsSetAndTheOldOneReturned) {
  EXPECT_FALSE(HeadlessScreenSaverRunning());
  BOOL previous = TRUE;
  SystemParametersInfoA(SPI_SCREENSAVERRUNNING, TRUE, &previous, 0);
  EXPECT_FALSE(previous);
  EXPECT_TRUE(HeadlessScreenSaverRunning());
  BOOL now = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &now, 0);
  EXPECT_TRUE(now);
  SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, &previous, 0);
  EXPECT_TRUE(previous);
  EXPECT_FALSE(HeadlessScreenSaverRunning());
}

}  // namespace
