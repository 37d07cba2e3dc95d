#include "review_sheet.h"

#include <algorithm>

#include "text.h"

namespace assetgen {
namespace {

constexpr int kSheetWidth = 1480;
constexpr int kGap = 6;
constexpr int kLabelHeight = 11;
constexpr int kTitleHeight = 20;

void Put(IndexImage& sheet, int x, int y, std::uint8_t index) {
  if (x < 0 || y < 0 || x >= sheet.width || y >= sheet.height)
    return;
  sheet.pixels[static_cast<std::size_t>(y) * sheet.width + x] = index;
}

void DrawLabel(IndexImage& sheet, const std::string& text, int pixelSize, int x, int y, double level) {
  const TextMask mask = SetText(text, BoldFontPath(), pixelSize, 0);
  for (int my = 0; my < mask.height; ++my) {
    for (int mx = 0; mx < mask.width; ++mx) {
      const float c = mask.coverage[static_cast<std::size_t>(my) * mask.width + mx];
      if (c > 0.2f)
        Put(sheet, x + mx, y + my,
            static_cast<std::uint8_t>(NearestIndex(RampColour(Ramp::kGrey, level * c))));
    }
  }
}

// Dim frame around the picture's box so its size can be judged.
void DrawBorder(IndexImage& sheet, int x, int y, int width, int height) {
  const auto dim = static_cast<std::uint8_t>(NearestIndex(RampColour(Ramp::kGrey, 0.22)));
  for (int i = -1; i <= width; ++i) {
    Put(sheet, x + i, y - 1, dim);
    Put(sheet, x + i, y + height, dim);
  }
  for (int i = -1; i <= height; ++i) {
    Put(sheet, x - 1, y + i, dim);
    Put(sheet, x + width, y + i, dim);
  }
}

void Blit(IndexImage& sheet, const IndexImage& image, int x, int y) {
  for (int iy = 0; iy < image.height; ++iy) {
    for (int ix = 0; ix < image.width; ++ix) {
      const std::uint8_t index = image.pixels[static_cast<std::size_t>(iy) * image.width + ix];
      if (index != kTransparentIndex)
        Put(sheet, x + ix, y + iy, index);
    }
  }
}

struct Cell {
  int x, y, width, height;
};

// Lays the groups out in rows; returns the total height.
int Layout(const std::vector<LabelledFrames>& groups, std::vector<std::vector<Cell>>& cells,
           std::vector<int>& titles) {
  int y = kGap;
  for (const LabelledFrames& group : groups) {
    titles.push_back(y);
    y += kTitleHeight;
    int cellWidth = 0, cellHeight = 0;
    for (const SpriteFrame& frame : group.frames) {
      cellWidth = std::max(cellWidth, frame.image.width + 2 * kGap);
      cellHeight = std::max(cellHeight, frame.image.height + kLabelHeight + 2 * kGap);
    }
    const int perRow = std::max(1, (kSheetWidth - kGap) / cellWidth);
    std::vector<Cell> row;
    for (std::size_t i = 0; i < group.frames.size(); ++i) {
      const int column = static_cast<int>(i) % perRow;
      const int line = static_cast<int>(i) / perRow;
      row.push_back({kGap + column * cellWidth, y + line * cellHeight, cellWidth, cellHeight});
    }
    y += ((static_cast<int>(group.frames.size()) + perRow - 1) / perRow) * cellHeight + kGap;
    cells.push_back(row);
  }
  return y;
}

}  // namespace

IndexImage ContactSheet(const std::vector<LabelledFrames>& groups) {
  std::vector<std::vector<Cell>> cells;
  std::vector<int> titles;
  IndexImage sheet;
  sheet.width = kSheetWidth;
  sheet.height = Layout(groups, cells, titles);
  sheet.pixels.assign(static_cast<std::size_t>(sheet.width) * sheet.height, kOpaqueBlackIndex);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    DrawLabel(sheet, groups[g].title, 13, kGap, titles[g] + 2, 1.0);
    for (std::size_t i = 0; i < groups[g].frames.size(); ++i) {
      const Cell& cell = cells[g][i];
      const IndexImage& image = groups[g].frames[i].image;
      const int x = cell.x + (cell.width - image.width) / 2;
      const int y = cell.y + cell.height - kLabelHeight - kGap - image.height;
      DrawBorder(sheet, x, y, image.width, image.height);
      Blit(sheet, image, x, y);
      const std::string label =
          std::to_string(i) + "  " + std::to_string(image.width) + "x" + std::to_string(image.height);
      DrawLabel(sheet, label, 8, cell.x + 2, cell.y + cell.height - kLabelHeight - 2, 0.6);
    }
  }
  return sheet;
}

}  // namespace assetgen
