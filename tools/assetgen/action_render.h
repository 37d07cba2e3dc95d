// Turns an action's drawings into cut-out frames that meet its size table and placement limits.
#pragma once
#include <string>
#include <vector>

#include "actions.h"

namespace assetgen {

constexpr int kSamplesPerPixel = 3;

// Draws one frame of an action on a blank stage and reduces it to palette indices.
IndexImage RenderStage(const ActionArt& art, int frame);

// All frames of the action; every deviation from its tables is added to `problems`.
std::vector<SpriteFrame> RenderAction(const ActionArt& art, std::vector<std::string>& problems);

}  // namespace assetgen
