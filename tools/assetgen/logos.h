// The captions shown beside each action: a word in rounded, outlined, colourful letters.
#pragma once
#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

struct LogoArt {
  std::string name;  // resource suffix and the word shown
  int actionId = 0;
  int width = 0;
  int height = 0;
  // Where and when the saver shows it: bottom-left corner on the stage, first frame, length.
  int x = 0;
  int bottom = 0;
  int startFrame = 0;
  int length = 0;
};

const std::vector<LogoArt>& LogoArts();

IndexImage DrawLogo(const LogoArt& logo);

}  // namespace assetgen
