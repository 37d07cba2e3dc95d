#include "scene/choreography.h"

#include "render/frame_buffer.h"
#include "render/draw_queue.h"
#include "scene/choreography_tables.h"
#include "scene/logo.h"
#include "scene/scene_random.h"
#include "scene/sound_cues.h"
#include "sprites/animation_library.h"

SceneState sceneState;

namespace {

const int kTransparentIndex = 1;
const int kHoldUpdates = 15;

int StartScene(AnimationLibrary* library) {
  sceneState.library = library;
  sceneState.centreX = frameBuffer.width / 2;
  sceneState.centreY = frameBuffer.height / 2;
  sceneState.cyclePosition = SceneRandom() % kActionCycleLength;
  SetTransparentKey(kTransparentIndex);
  return 1;
}

int StartAction(Actor* actor) {
  if (PauseBlocksStart()) {
    --sceneState.pauseCountdown;
    return 0;
  }
  const int actionId = NextActionId();
  if (!sceneState.library || !actor)
    return 0;
  Animation* animation = FindAnimation(sceneState.library->animations, actionId);
  PlacementTrack* track = FindPlacementTrack(sceneState.library->placementTracks, actionId);
  // An action needs a first frame and a first placement for its cursors to start from.
  if (!animation || !track || !animation->frames || !track->placements)
    return 0;
  actor->animation = animation;
  actor->placementTrack = track;
  actor->actionId = actionId;
  actor->motion = ActorMotion::kPlaying;
  actor->frame = animation->frames;
  actor->placement = track->placements;
  actor->drawMode = kDrawKeyed;
  actor->status = ActorStatus::kPerforming;
  actor->endCountdown = kHoldUpdates;
  NextStageOrigin();
  PlaceActor(actor);
  SetupLogo(actor);
  SetupSoundCue(actor);
  return 1;
}

}  // namespace

int SceneBehaviour(int message, void* subject, int, int) {
  switch (message) {
    case kStartScene:
      return StartScene(static_cast<AnimationLibrary*>(subject));
    case kStartAction:
      return StartAction(static_cast<Actor*>(subject));
    default:
      return 1;
  }
}

int NextActionId() {
  ++sceneState.cyclePosition;
  if (sceneState.cyclePosition >= kActionCycleLength || sceneState.cyclePosition < 0)
    sceneState.cyclePosition = 0;
  return kActionCycle[sceneState.cyclePosition];
}

int NextStageOrigin() {
  if (sceneState.quadrant < 0 || sceneState.quadrant >= kStageQuadrants)
    sceneState.quadrant = 0;
  const StageOffset& offset = kStageOffsets[sceneState.quadrant];
  sceneState.stageX = sceneState.centreX + offset.x;
  sceneState.stageY = sceneState.centreY + offset.y;
  ++sceneState.quadrant;
  if (sceneState.quadrant >= kStageQuadrants)
    sceneState.quadrant = 0;
  return 1;
}

void PlaceActor(Actor* actor) {
  actor->x = 0;
  actor->y = 0;
  actor->originX = sceneState.stageX;
  actor->originY = sceneState.stageY;
}

int PauseBlocksStart() {
  if (!sceneState.pausing)
    return 0;
  if (sceneState.pauseCountdown > 0)
    return 1;
  sceneState.pausing = 0;
  return 0;
}

void StartPause(int ticks) {
  sceneState.pausing = 1;
  sceneState.pauseCountdown = ticks;
}
