#include "linux/sound_player.h"

#include <cstdio>

namespace {

void GoSilent(SoundPlayer* player) {
  std::fprintf(stderr, "lomlom: no sound device (%s); running silently\n", SDL_GetError());
  player->silent = true;
}

bool OpenDevice(SoundPlayer* player, const SDL_AudioSpec& wanted) {
  player->device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &player->format, 0);
  if (!player->device) {
    GoSilent(player);
    return false;
  }
  SDL_PauseAudioDevice(player->device, 0);
  return true;
}

}  // namespace

void StartSound(SoundPlayer* player) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    GoSilent(player);
    return;
  }
  player->ready = true;
}

void PlayWave(SoundPlayer* player, const unsigned char* wave, size_t size) {
  if (!player->ready || player->silent)
    return;
  if (player->device)
    SDL_ClearQueuedAudio(player->device);
  if (!wave)
    return;
  SDL_AudioSpec cue;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(wave, static_cast<int>(size)), 1, &cue, &samples, &length))
    return;
  if (player->device || OpenDevice(player, cue)) {
    SDL_AudioCVT convert;
    const int needed = SDL_BuildAudioCVT(&convert, cue.format, cue.channels, cue.freq, player->format.format,
                                         player->format.channels, player->format.freq);
    if (needed == 0) {
      SDL_QueueAudio(player->device, samples, length);
    } else if (needed > 0) {
      convert.len = static_cast<int>(length);
      convert.buf = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(length) * convert.len_mult));
      if (convert.buf) {
        SDL_memcpy(convert.buf, samples, length);
        if (SDL_ConvertAudio(&convert) == 0)
          SDL_QueueAudio(player->device, convert.buf, static_cast<Uint32>(convert.len_cvt));
        SDL_free(convert.buf);
      }
    }
  }
  SDL_FreeWAV(samples);
}

void StopSound(SoundPlayer* player) {
  if (player->device)
    SDL_CloseAudioDevice(player->device);
  if (player->ready)
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  *player = SoundPlayer();
}
