// Text set in a TrueType font through FreeType, as a coverage mask with the letter of each pixel.
#pragma once
#include <string>
#include <vector>

namespace assetgen {

struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<float> coverage;  // 0 to 1, rows top-down
  std::vector<int> letter;      // index of the character that covers the pixel most, -1 for none
};

// Sets `text` (ASCII) at `pixelSize` with `tracking` extra pixels between letters, each letter
// raised by lift[i] pixels when given. Empty mask when the font cannot be loaded.
TextMask SetText(const std::string& text, const std::string& fontPath, int pixelSize, int tracking,
                 const std::vector<int>& lift = {});

// Font file of the build: DejaVu Sans, in the bold or the condensed bold cut.
std::string BoldFontPath();
std::string CondensedBoldFontPath();

}  // namespace assetgen
