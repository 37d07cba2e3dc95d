#pragma once
#include "headless/win_shcore.h"
