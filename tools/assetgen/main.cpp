// assetgen <assetDir> [<reviewDir>]: writes the saver's pictures, placements, palette, sounds and
// icon, and optionally review pictures of them. The output is the same on every run.
#include <cstdio>
#include <string>
#include <vector>

#include "action_render.h"
#include "icon.h"
#include "logos.h"
#include "png_writer.h"
#include "resource_formats.h"
#include "review_gif.h"
#include "review_sheet.h"
#include "sounds.h"

namespace assetgen {
namespace {

struct Generated {
  std::vector<LabelledFrames> actions;
  LabelledFrames logos{"logos", {}};
};

void Save(const std::string& path, const Bytes& bytes, std::vector<std::string>& problems) {
  if (!WriteFile(path, bytes))
    problems.push_back("cannot write " + path);
}

Generated WriteAssets(const std::string& dir, std::vector<std::string>& problems) {
  Generated generated;
  Save(dir + "/IDR_MAINPAL_LOM4SCREEN.bmp", EncodePaletteBitmap(), problems);
  for (const ActionArt& art : ActionArts()) {
    std::vector<SpriteFrame> frames = RenderAction(art, problems);
    const std::string name = "ID" + std::to_string(art.id) + "SHORT";
    Save(dir + "/IDR_SPBMP_" + name + ".bin", EncodeFrameRun(frames, kActionPelsPerMeter), problems);
    Save(dir + "/IDR_SPBMPDATA_" + name + ".bin", EncodePlacements(frames), problems);
    generated.actions.push_back({std::to_string(art.id), std::move(frames)});
  }
  for (const LogoArt& logo : LogoArts()) {
    SpriteFrame frame;
    frame.image = DrawLogo(logo);
    Save(dir + "/IDR_SPBMP_LOGO" + logo.name + ".bin", EncodeBmp(frame.image, 0), problems);
    generated.logos.frames.push_back(std::move(frame));
  }
  Save(dir + "/saver.ico", MakeIcon(), problems);
  for (const SoundArt& sound : SoundArts())
    Save(dir + "/" + sound.name + ".wav", MakeSound(sound), problems);
  return generated;
}

void WriteReview(const std::string& dir, const Generated& generated, std::vector<std::string>& problems) {
  std::vector<LabelledFrames> groups = generated.actions;
  groups.push_back(generated.logos);
  if (!WriteIndexedPng(dir + "/contact_sheet.png", ContactSheet(groups))) {
    problems.push_back("cannot write " + dir + "/contact_sheet.png");
  }
  for (std::size_t i = 0; i < LogoArts().size(); ++i) {
    const LogoArt& logo = LogoArts()[i];
    for (const LabelledFrames& action : generated.actions) {
      if (action.title != std::to_string(logo.actionId))
        continue;
      const std::string path = dir + "/action_" + action.title + ".gif";
      if (!WriteActionGif(path, action.frames, generated.logos.frames[i].image, logo)) {
        problems.push_back("cannot write " + path);
      }
    }
  }
}

}  // namespace
}  // namespace assetgen

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: assetgen <assetDir> [<reviewDir>]\n");
    return 2;
  }
  std::vector<std::string> problems;
  const assetgen::Generated generated = assetgen::WriteAssets(argv[1], problems);
  if (argc == 3)
    assetgen::WriteReview(argv[2], generated, problems);
  for (const std::string& problem : problems)
    std::fprintf(stderr, "assetgen: %s\n", problem.c_str());
  return problems.empty() ? 0 : 1;
}
