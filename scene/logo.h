// An action's caption picture: set up when the action starts, erased and queued again in every
// update from its start frame on.
#pragma once
#include "scene/actor.h"

// 1 when the action has a logo.
int SetupLogo(Actor* actor);
// 0 while the logo waits for its start frame, else 1.
int StepLogo(Actor* actor);
