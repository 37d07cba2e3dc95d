#include "scene/sound_cues.h"

int SoundEnabled = 0;
