#include "saver_run/frame_log.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

#include "scene/actor.h"
#include "scene/choreography.h"
#include "scene/choreography_tables.h"

namespace {

const uint32_t kFullMask = 0xFFFFFF;
const uint32_t kMask565 = 0xF8FCF8;

}  // namespace

uint32_t ScreenHash(const HeadlessSurface& screen, int bitsPerPixel) {
  const uint32_t mask = bitsPerPixel == 16 ? kMask565 : kFullMask;
  uLong hash = crc32(0, nullptr, 0);
  std::vector<Bytef> row(static_cast<size_t>(screen.width) * 3);
  const uint32_t* pixel = screen.pixels.data();
  for (int y = 0; y < screen.height; ++y) {
    Bytef* out = row.data();
    for (const uint32_t* end = pixel + screen.width; pixel != end; ++pixel, out += 3) {
      const uint32_t masked = *pixel & mask;
      out[0] = static_cast<Bytef>(masked >> 16);
      out[1] = static_cast<Bytef>(masked >> 8);
      out[2] = static_cast<Bytef>(masked);
    }
    hash = crc32(hash, row.data(), static_cast<uInt>(row.size()));
  }
  return static_cast<uint32_t>(hash);
}

std::string FrameLogLine(long tick, uint32_t hash) {
  const Actor* actor = GetActor(0);
  const bool performing = actor && ActorShowsAction(*actor);
  // The stage of the action under way is the one before the quadrant the next action will take.
  const int quadrant = (sceneState.quadrant + kStageQuadrants - 1) % kStageQuadrants;
  char line[112];
  std::snprintf(line, sizeof line, "%ld %08x %d %d %d %d", tick, hash, performing ? actor->actionId : 0,
                performing ? quadrant : -1, performing ? actor->logoShown : 0,
                performing ? actor->frame->index : -1);
  return line;
}
