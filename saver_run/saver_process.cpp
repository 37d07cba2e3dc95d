#include "saver_run/saver_process.h"

#include "app/display_system.h"
#include "app/frame_timer.h"
#include "app/saver_state.h"
#include "app/settings.h"
#include "host/host_state.h"
#include "render/screen_views.h"
#include "scene/actor.h"
#include "scene/choreography.h"
#include "scene/sound_cues.h"

void ResetSaverProcess() {
  hostState = HostState();
  displayMetrics = DisplayMetrics();
  saverState = SaverState();
  timerRunning = FALSE;
  soundSetting = 0;
  sizeSetting = 0;
  monitorsSetting = 0;
  settingsInitialised = false;
  SoundEnabled = 0;
  ReleaseActorPool();
  sceneState = SceneState();
  screenViews = ScreenViews();
  ReleaseDisplaySystem();
}
