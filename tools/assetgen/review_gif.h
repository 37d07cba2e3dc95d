// Animated GIF of one action on its stage, timed and captioned as the saver shows it.
#pragma once
#include <string>
#include <vector>

#include "logos.h"
#include "sprite_frame.h"

namespace assetgen {

// Returns false when the file cannot be written.
bool WriteActionGif(const std::string& path, const std::vector<SpriteFrame>& frames, const IndexImage& logo,
                    const LogoArt& logoArt);

}  // namespace assetgen
