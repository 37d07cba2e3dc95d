// One saving-mode frame: erase what the actors drew, advance each performing actor one step, draw
// and copy only what changed, and offer a free actor its next action.
#pragma once
#include <windows.h>

#include "scene/actor.h"

int SceneTick(HWND window, HDC dc);
int UpdateActor(Actor* actor);
int IsActionOver(Actor* actor);
void EndAction(Actor* actor);
void AdvanceCursors(Actor* actor);
void UpdatePosition(Actor* actor, ActorMotion motion);
void ComputeActorRect(RECT* rect, const Actor* actor);
