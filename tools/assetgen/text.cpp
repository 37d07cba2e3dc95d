#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace assetgen {
namespace {

struct PlacedGlyph {
  int left = 0;
  int top = 0;  // baseline-relative, up positive
  int width = 0;
  int rows = 0;
  std::vector<unsigned char> bitmap;
};

}  // namespace

std::string BoldFontPath() {
  return std::string(ASSETGEN_FONT_DIR) + "/DejaVuSans-Bold.ttf";
}
std::string CondensedBoldFontPath() {
  return std::string(ASSETGEN_FONT_DIR) + "/DejaVuSansCondensed-Bold.ttf";
}

TextMask SetText(const std::string& text, const std::string& fontPath, int pixelSize, int tracking,
                 const std::vector<int>& lift) {
  TextMask mask;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0)
    return mask;
  FT_Face face = nullptr;
  if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0 || FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) {
    if (face)
      FT_Done_Face(face);
    FT_Done_FreeType(library);
    return mask;
  }
  std::vector<PlacedGlyph> glyphs;
  int pen = 0, ascent = 0, descent = 0, right = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    PlacedGlyph glyph;
    if (FT_Load_Char(face, static_cast<unsigned char>(text[i]), FT_LOAD_RENDER) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      const int raise = i < lift.size() ? lift[i] : 0;
      glyph.left = pen + slot->bitmap_left;
      glyph.top = slot->bitmap_top + raise;
      glyph.width = static_cast<int>(slot->bitmap.width);
      glyph.rows = static_cast<int>(slot->bitmap.rows);
      for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
        glyph.bitmap.insert(glyph.bitmap.end(), row, row + glyph.width);
      }
      pen += static_cast<int>(slot->advance.x >> 6) + tracking;
      ascent = std::max(ascent, glyph.top);
      descent = std::max(descent, glyph.rows - glyph.top);
      right = std::max(right, glyph.left + glyph.width);
    }
    glyphs.push_back(std::move(glyph));
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  const int left = glyphs.empty() ? 0 : std::min(0, glyphs.front().left);
  mask.width = right - left;
  mask.height = ascent + descent;
  mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0.0f);
  mask.letter.assign(mask.coverage.size(), -1);
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const PlacedGlyph& glyph = glyphs[i];
    for (int y = 0; y < glyph.rows; ++y) {
      for (int x = 0; x < glyph.width; ++x) {
        const float value = glyph.bitmap[static_cast<std::size_t>(y) * glyph.width + x] / 255.0f;
        const std::size_t at =
            static_cast<std::size_t>(ascent - glyph.top + y) * mask.width + (glyph.left - left + x);
        if (value > mask.coverage[at])
          mask.letter[at] = static_cast<int>(i);
        mask.coverage[at] = std::max(mask.coverage[at], value);
      }
    }
  }
  return mask;
}

}  // namespace assetgen
