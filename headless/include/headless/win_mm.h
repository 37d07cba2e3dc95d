// Multimedia services: timer resolution, millisecond clock, sound.
#pragma once
#include "win_types.h"

typedef UINT MMRESULT;
#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO 97
#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_RESOURCE 0x00040004

MMRESULT WINAPI timeBeginPeriod(UINT period);
MMRESULT WINAPI timeEndPeriod(UINT period);
DWORD WINAPI timeGetTime(void);
BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
