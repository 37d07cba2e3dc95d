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
  return TheWorld().now;
}

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
  LogCall("PlaySoundA", sound, " module=", module, " flags=", flags);
  return !ShouldFail("PlaySoundA");
}
