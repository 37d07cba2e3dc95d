#include "scene/sound_cues.h"

#include <mmsystem.h>

#include "scene/action_rows.h"

int SoundEnabled = 0;

namespace {

const SoundRow kSoundTable[] = {
    {4000, "IDR_WAVE_200_2", 2},  {1055, "IDR_WAVE_1014_2", 43}, {1059, "IDR_WAVE_1015_2", 72},
    {1225, "IDR_WAVE_1049_2", 0}, {1569, "IDR_WAVE_1114_2", 15},
};

}  // namespace

const SoundRow* FindSoundRow(int actionId) {
  return FindActionRow(kSoundTable, actionId);
}

int SetupSoundCue(Actor* actor) {
  const SoundRow* row = SoundEnabled ? FindSoundRow(actor->actionId) : nullptr;
  if (!row) {
    actor->soundPending = 0;
    return 0;
  }
  actor->soundPending = 1;
  actor->soundFrame = row->cueFrame;
  return 1;
}

int PlaySoundCue(Actor* actor) {
  if (!actor->soundPending || actor->soundFrame != actor->frame->index)
    return 0;
  const SoundRow* row = FindSoundRow(actor->actionId);
  if (!row)
    return 0;
  // A sound still playing from an earlier action gives way.
  PlaySoundA(nullptr, nullptr, SND_ASYNC);
  const int started = PlaySoundA(row->resourceName, nullptr, SND_RESOURCE | SND_ASYNC);
  actor->soundPending = 0;
  return started;
}
