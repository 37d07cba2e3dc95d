// The choreography: which action comes next, in which quadrant of the centred 640x480 block it
// plays, when its logo shows, and the pause between two actions.
#pragma once
#include "scene/actor.h"

// Messages of SceneBehaviour.
const int kStartScene = 1;   // subject: the scene's Animation library
const int kStartAction = 2;  // subject: a free Actor

// Start attempts the pause refuses after an action ends.
const int kPauseTicks = 15;

struct SceneState {
  AnimationLibrary* library = nullptr;
  int centreX = 0;
  int centreY = 0;
  int stageX = 0;
  int stageY = 0;
  int cyclePosition = 0;  // position in the action cycle of the last action chosen
  int quadrant = 0;       // stage quadrant of the next action; kept across scene starts
  int pausing = 0;
  int pauseCountdown = 0;
};

extern SceneState sceneState;

// The scene descriptor's behaviour. Message 2 returns 1 when an action was started on the actor.
int SceneBehaviour(int message, void* subject, int first, int second);

int NextActionId();
int NextStageOrigin();
void PlaceActor(Actor* actor);
int PauseBlocksStart();
void StartPause(int ticks);
