// Contact sheet for reviewing the art: every frame of every action and the logos, on black, labelled.
#pragma once
#include <string>
#include <vector>

#include "sprite_frame.h"

namespace assetgen {

struct LabelledFrames {
  std::string title;
  std::vector<SpriteFrame> frames;
};

IndexImage ContactSheet(const std::vector<LabelledFrames>& groups);

}  // namespace assetgen
