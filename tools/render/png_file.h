// A screen picture as an RGB PNG file.
#pragma once
#include <string>

#include "headless/control_gdi.h"

// False when the file cannot be written.
bool WritePng(const std::string& path, const HeadlessSurface& picture);
