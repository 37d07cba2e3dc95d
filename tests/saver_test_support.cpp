#include "tests/saver_test_support.h"

#include "app/frame_timer.h"
#include "app/saver_state.h"
#include "app/settings.h"
#include "host/host_state.h"
#include "scene/sound_cues.h"

namespace {

void ResetSaverProcess() {
  hostState = HostState();
  displayMetrics = DisplayMetrics();
  saverState = SaverState();
  timerRunning = FALSE;
  soundSetting = 0;
  SoundEnabled = 0;
}

}  // namespace

void SaverTest::SetUp() {
  HeadlessReset();
  ResetSaverProcess();
}

void SaverTest::TearDown() { EXPECT_FALSE(HeadlessBudgetExhausted()) << "the message loop never ended"; }
