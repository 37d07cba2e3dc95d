// The saver's icon: the creature's face at 16, 32 and 48 pixels, as a Windows icon file.
#pragma once
#include "byte_writer.h"

namespace assetgen {

Bytes MakeIcon();

}  // namespace assetgen
