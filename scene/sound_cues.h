// The actions' sounds: each plays once, when its action reaches the cue frame, if the user wants
// sound.
#pragma once
#include "scene/actor.h"

// 1 when the user wants sound; set once when the saver window is created.
extern int SoundEnabled;

struct SoundRow {
  int actionId;
  const char* resourceName;  // a WAVE resource of the executable
  int cueFrame;
};

const SoundRow* FindSoundRow(int actionId);
// 1 when the actor's action will play its sound.
int SetupSoundCue(Actor* actor);
// The result of starting the sound when its frame is current, else 0.
int PlaySoundCue(Actor* actor);
