// Multimedia services: timer resolution, the millisecond clock and sound playing.
#include <mmsystem.h>

#include "world.h"

MMRESULT WINAPI timeBeginPeriod(UINT period) {
  LogCall("timeBeginPeriod", period);
  return ShouldFail("timeBeginPeriod") ? TIMERR_NOCANDO : TIMERR_NOERROR;
}

MMRESULT WINAPI timeEndPeriod(UINT period) {
  LogCall("timeEndPeriod", period);
  return TIMERR_NOERROR;
}

DWORD WINAPI timeGetTime(void) {
  FollowRealClock();
  return TheWorld().now;
}

// No sound stops the one playing; SND_RESOURCE plays a WAVE resource of the module (null: the
// executable) and fails when it has none. This machine has no sound files or aliases.
BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
  LogCall("PlaySoundA", sound, " module=", module, " flags=", flags);
  if (ShouldFail("PlaySoundA"))
    return FALSE;
  const auto& output = TheWorld().soundOutput;
  if (!sound) {
    if (output)
      output(nullptr, 0);
    return TRUE;
  }
  const BYTE* wave = nullptr;
  DWORD size = 0;
  if ((flags & SND_RESOURCE) != SND_RESOURCE || !ResourceBytes(module, "WAVE", sound, &wave, &size))
    return FALSE;
  if (output)
    output(wave, size);
  return TRUE;
}
