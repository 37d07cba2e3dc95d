#include "action_render.h"

#include <algorithm>

namespace assetgen {
namespace {

int OpaqueCount(const IndexImage& image, const Rect& box) {
  int count = 0;
  for (int y = std::max(0, box.y); y < std::min(image.height, box.y + box.height); ++y) {
    for (int x = std::max(0, box.x); x < std::min(image.width, box.x + box.width); ++x) {
      count += image.pixels[static_cast<std::size_t>(y) * image.width + x] != kTransparentIndex;
    }
  }
  return count;
}

// Index of the frame (other than 0) whose size along one axis is largest or smallest.
std::size_t ExtremeFrame(const std::vector<Rect>& boxes, bool widthAxis, bool largest) {
  std::size_t best = boxes.size() > 1 ? 1 : 0;
  for (std::size_t i = best; i < boxes.size(); ++i) {
    const int value = widthAxis ? boxes[i].width : boxes[i].height;
    const int bestValue = widthAxis ? boxes[best].width : boxes[best].height;
    if (largest ? value > bestValue : value < bestValue)
      best = i;
  }
  return best;
}

// Stretches or trims the extreme frames so the sizes span exactly the table's ranges.
void ReachRangeEnds(const ActionArt& art, const std::vector<IndexImage>& stages, std::vector<Rect>& boxes) {
  for (bool widthAxis : {true, false}) {
    const IntRange range = widthAxis ? art.widths : art.heights;
    for (bool largest : {true, false}) {
      const std::size_t i = ExtremeFrame(boxes, widthAxis, largest);
      const int target = largest ? range.max : range.min;
      const int width = widthAxis ? target : boxes[i].width;
      const int height = widthAxis ? boxes[i].height : target;
      boxes[i] = Resized(boxes[i], width, height, stages[i]);
    }
  }
}

// Slides the box, where the figure inside allows, so that its placement stays within the limits.
Rect KeepPlacementInLimits(Rect box, const Rect& figure) {
  const int lowX = std::max(kPlacementX.min, figure.x + figure.width - box.width);
  const int highX = std::min(kPlacementX.max, figure.x);
  if (lowX <= highX)
    box.x = std::clamp(box.x, lowX, highX);
  const int lowBottom = std::max(kPlacementBottom.min, figure.y + figure.height);
  const int highBottom = std::min(kPlacementBottom.max, figure.y + box.height);
  if (lowBottom <= highBottom)
    box.y = std::clamp(box.y + box.height, lowBottom, highBottom) - box.height;
  return box;
}

std::string Describe(const ActionArt& art, std::size_t frame, const std::string& what) {
  return "action " + std::to_string(art.id) + " frame " + std::to_string(frame) + ": " + what;
}

}  // namespace

IndexImage RenderStage(const ActionArt& art, int frame) {
  Canvas canvas = MakeCanvas(kStageWidth, kStageHeight, kSamplesPerPixel);
  art.draw(Painter{&canvas, {}}, frame);
  return Quantise(canvas);
}

std::vector<SpriteFrame> RenderAction(const ActionArt& art, std::vector<std::string>& problems) {
  std::vector<IndexImage> stages;
  std::vector<Rect> figures;
  std::vector<Rect> boxes;
  for (int f = 0; f < art.frameCount; ++f) {
    stages.push_back(RenderStage(art, f));
    figures.push_back(OpaqueBounds(stages.back()));
    boxes.push_back(FittedBox(figures.back(), art.widths, art.heights, stages.back()));
  }
  ReachRangeEnds(art, stages, boxes);
  boxes[0] = art.firstPlacementFixed
                 ? Rect{art.firstX, art.firstBottom - art.firstHeight, art.firstWidth, art.firstHeight}
                 : Resized(figures[0], art.firstWidth, art.firstHeight, stages[0]);
  std::vector<SpriteFrame> frames;
  for (std::size_t i = 1; i < boxes.size(); ++i)
    boxes[i] = KeepPlacementInLimits(boxes[i], figures[i]);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const int lost = OpaqueCount(stages[i], figures[i]) - OpaqueCount(stages[i], boxes[i]);
    if (lost > 0)
      problems.push_back(Describe(art, i, std::to_string(lost) + " figure pixels cut off"));
    frames.push_back(CutFrame(stages[i], boxes[i]));
    const SpriteFrame& frame = frames.back();
    if (frame.x < kPlacementX.min || frame.x > kPlacementX.max || frame.bottom < kPlacementBottom.min ||
        frame.bottom > kPlacementBottom.max) {
      problems.push_back(Describe(art, i,
                                  "placement (" + std::to_string(frame.x) + ", " +
                                      std::to_string(frame.bottom) + ") outside the stage limits"));
    }
  }
  return frames;
}

}  // namespace assetgen
