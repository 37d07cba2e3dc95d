// The Win32 subset that the saver calls, for native builds. Names, types and values follow the
// platform's own headers so that the same sources compile against either.
#pragma once
#include "headless/win_types.h"
#include "headless/win_kernel.h"
#include "headless/win_user.h"
#include "headless/win_display.h"
#include "headless/win_gdi.h"
#include "headless/win_registry.h"
