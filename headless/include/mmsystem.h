#pragma once
#include "headless/win_mm.h"
